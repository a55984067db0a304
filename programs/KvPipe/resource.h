// Resource identifiers of KvPipe: text numbers (block L holds text n as L*100+n).
#pragma once
#define IDS_USAGE 1
