#pragma once
#include "platform/printer.h"
