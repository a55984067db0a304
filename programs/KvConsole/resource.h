// Resource identifiers of KvConsole: text numbers (block L holds text n as L*100+n).
#pragma once
#define IDS_SELECT_FOLDER 1
