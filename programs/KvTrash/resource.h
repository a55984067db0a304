// Resource identifiers of KvTrash: text numbers (block L holds text n as L*100+n) and the clip.
#pragma once
#define IDS_CONFIRM_ONE 1
#define IDS_CONFIRM_MANY 2
#define IDS_MESSAGE_ONE 3
#define IDS_MESSAGE_MANY 4
#define IDR_SHRED_CLIP 164
