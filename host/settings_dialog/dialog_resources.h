// Resource ids of the settings dialog's pictures (a range of their own within the host).
#pragma once
#define IDR_DIALOG_ICON 401
#define IDR_DIALOG_PANEL 402
#define IDR_INDICATOR_OFF 403
#define IDR_INDICATOR_ON 404
#define IDR_HAND_CURSOR 405
