#include "support/ParametresMemoire.h"
