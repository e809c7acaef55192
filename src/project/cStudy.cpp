#include "qvc/cStudy.h"
