#include "shell/frm_start_menu.h"

#include "shell/module1.h"

FrmStartMenu::FrmStartMenu()
    : Form(QStringLiteral("frmStartMenu"))
{
    setDesignSize(9600, 7200);
    SSCommand2 = addControl(new kiv::CommandButton(QStringLiteral("SSCommand2"), this), kiv::fit::Kind::Button3D, 2400, 5160, 2160, 600, 12.0f);
    SSCommand3 = addControl(new kiv::CommandButton(QStringLiteral("SSCommand3"), this), kiv::fit::Kind::Button3D, 5040, 5160, 2160, 600, 12.0f);
    connect(SSCommand2, &kiv::CommandButton::Click, this, &FrmStartMenu::SSCommand2_Click);
    connect(SSCommand3, &kiv::CommandButton::Click, this, &FrmStartMenu::SSCommand3_Click);
}

void FrmStartMenu::Form_Load()
{
}

void FrmStartMenu::Form_Paint()
{
    SSCommand2->setText(QStringLiteral("English"));
    SSCommand3->setText(kiv::LoadResString(379));
}

void FrmStartMenu::SSCommand2_Click()
{
    chooseLanguage(0, QStringLiteral("E"));
}

void FrmStartMenu::SSCommand3_Click()
{
    chooseLanguage(1, QStringLiteral("F"));
}

void FrmStartMenu::chooseLanguage(std::int16_t language, const QString& letter)
{
    gLanguage = language;
    gLangLetter = letter;
}
