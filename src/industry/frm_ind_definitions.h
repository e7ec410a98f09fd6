#pragma once
#include "platform/controls.h"
#include "platform/form.h"

#include <QPlainTextEdit>

// The definitions window: the current industry's name and definition over the whole screen.
// The industry selection window fills and captions it; from here the user prints the
// definition, goes back, or continues with the chosen function.
class FrmIndDefinitions : public kiv::Form {
    Q_OBJECT
public:
    FrmIndDefinitions();

    kiv::CommandButton* Cmdcontinue = nullptr;
    kiv::CommandButton* BACK = nullptr;
    kiv::CommandButton* Print = nullptr;
    kiv::Label* TilDisplay = nullptr;
    QPlainTextEdit* Definitions = nullptr;
    kiv::PictureControl* Image1 = nullptr;
    kiv::PictureControl* Image2 = nullptr;
    kiv::PictureControl* Image3 = nullptr;
    kiv::PictureControl* Image4 = nullptr;

    void Print_Click();
    void BACK_Click();
    void Cmdcontinue_Click();

    static kiv::fit::Variant fitVariant();

protected:
    void Form_Load() override;
};
KIV_FORM_ACCESSOR(FrmIndDefinitions, frmIndDefinitions)
