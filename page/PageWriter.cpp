#include "page/PageWriter.h"
