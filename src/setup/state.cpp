#include "setup/setup.h"

SetupStateRecord SetupState;
