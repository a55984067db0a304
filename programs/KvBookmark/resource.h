// Resource identifiers of KvBookmark: text numbers (block L holds text n as L*100+n).
#pragma once
#define IDS_CAPTION 1
#define IDS_NO_FOLDER 2
#define IDS_NO_FUNCTION 3
#define IDS_NO_LIBRARY 4
