#pragma once
#include "platform/controls.h"
#include "platform/form.h"

// The About box: the product's name over a panel of pictures, and the way back to the menu.
class FrmIntrAbout : public kiv::Form {
    Q_OBJECT
public:
    FrmIntrAbout();

    kiv::Panel3D* SSPanel1 = nullptr; // the product's name
    kiv::Panel3D* SSPanel2 = nullptr; // the pictures
    kiv::PictureControl* Image1 = nullptr;
    kiv::PictureControl* Image2 = nullptr;
    kiv::PictureControl* Image3 = nullptr;
    kiv::CommandButton* ReturntoMenu = nullptr;

    void ReturntoMenu_Click();

    // The screen scaling of this window: every control by the common rule, font sizes times
    // the width ratio.
    static kiv::fit::Variant fitVariant();

protected:
    void Form_Load() override;
    void Form_Paint() override;
};
KIV_FORM_ACCESSOR(FrmIntrAbout, frmIntrAbout)
