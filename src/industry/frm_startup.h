#pragma once
#include "platform/controls.h"
#include "platform/form.h"

// The industry selection window. (Being built: only what the edition menu needs so far.)
class FrmStartup : public kiv::Form {
    Q_OBJECT
public:
    FrmStartup();
};
KIV_FORM_ACCESSOR(FrmStartup, frmStartup)
