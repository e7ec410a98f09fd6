#include "platform/printer.h"
#include "numbers/numbers.h"
  #  include "shell/module1.h"
#include "report_fixture.h"
#include <QString>
