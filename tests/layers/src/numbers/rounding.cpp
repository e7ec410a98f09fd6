#include "../values/company_values.h"
#include "../numbers/numbers.h"
#include <QString>
