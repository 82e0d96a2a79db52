// A library's public header, seen by a user that links the library.
#include "store/tdm.h"
