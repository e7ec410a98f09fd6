#include "numbers/numbers.h"
#include <values/company_values.h>
