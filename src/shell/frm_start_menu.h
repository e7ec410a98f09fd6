#pragma once
#include "platform/controls.h"
#include "platform/form.h"

#include <cstdint>

// The start screen: the user picks the language of the whole run.
class FrmStartMenu : public kiv::Form {
    Q_OBJECT
public:
    FrmStartMenu();

    kiv::CommandButton* SSCommand2 = nullptr; // English
    kiv::CommandButton* SSCommand3 = nullptr; // Français
    kiv::Label* Label1 = nullptr;             // the product's name, English half
    kiv::Label* Label2 = nullptr;             // the product's name, French half
    kiv::Label* Label3 = nullptr;             // what the program does, in English
    kiv::Label* Label4 = nullptr;             // the same in French
    kiv::PictureControl* Image1 = nullptr;
    kiv::PictureControl* Image2 = nullptr;
    kiv::PictureControl* Image3 = nullptr;
    kiv::PictureControl* Image4 = nullptr;
    kiv::PictureControl* Picture1 = nullptr;

    void SSCommand2_Click();
    void SSCommand3_Click();

    // The screen scaling of this window: the eleven controls one by one; the labels' and the
    // buttons' font sizes follow the width ratio, rounded down.
    static kiv::fit::Variant fitVariant();

protected:
    void Form_Load() override;
    void Form_Paint() override;
    void paintEvent(QPaintEvent* event) override;

private:
    void chooseLanguage(std::int16_t language, const QString& letter);
};
KIV_FORM_ACCESSOR(FrmStartMenu, frmStartMenu)
