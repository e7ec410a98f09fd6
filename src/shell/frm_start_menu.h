#pragma once
#include "platform/controls.h"
#include "platform/form.h"

// The start screen: the user picks the language of the whole run.
class FrmStartMenu : public kiv::Form {
    Q_OBJECT
public:
    FrmStartMenu();

    kiv::CommandButton* SSCommand2 = nullptr; // English
    kiv::CommandButton* SSCommand3 = nullptr; // Français
    kiv::Label* Label1 = nullptr;
    kiv::Label* Label2 = nullptr;
    kiv::Label* Label3 = nullptr;
    kiv::Label* Label4 = nullptr;
    kiv::PictureControl* Image1 = nullptr;
    kiv::PictureControl* Image2 = nullptr;
    kiv::PictureControl* Image3 = nullptr;
    kiv::PictureControl* Image4 = nullptr;
    kiv::PictureControl* Picture1 = nullptr;

    void SSCommand2_Click();
    void SSCommand3_Click();

protected:
    void Form_Load() override;
    void Form_Paint() override;

private:
    void chooseLanguage(std::int16_t language, const QString& letter);
};
KIV_FORM_ACCESSOR(FrmStartMenu, frmStartMenu)
