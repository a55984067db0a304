// Resource identifiers of KvEnlist: text numbers (block L holds text n as L*100+n).
#pragma once
#define IDS_DRIVE 1
