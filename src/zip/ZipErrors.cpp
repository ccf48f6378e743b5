#include "zip/ZipErrors.h"
