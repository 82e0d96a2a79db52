#include "wallpaper/ui/mixpicfrm.h"
