// Forced into every module's C++ sources: instantiate only the std::basic_string members a module uses,
// instead of linking the static library's precompiled instantiations (they triple a module's size).
#pragma once
#include <bits/c++config.h>
#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE 0
