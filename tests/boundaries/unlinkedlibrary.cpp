// The store's public header, asked for by a user that does not link the store.
#include "store/tdm.h"
