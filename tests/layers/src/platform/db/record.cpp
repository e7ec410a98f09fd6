#include "../printer.h"
#include "values/field.h"

#include "../../shell/module1.h"
