// A header the rich-text library keeps to itself, asked for by a user that
// links it.
#include "richtext/rtfwriter.h"
