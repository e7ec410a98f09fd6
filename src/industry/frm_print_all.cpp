#include "industry/frm_print_all.h"

#include "industry/industry_module.h"
#include "industry/industry_reports.h"
#include "platform/db/database.h"
#include "platform/pointer_guard.h"
#include "platform/dialogs.h"
#include "shell/edition_choice.h"
#include "shell/module1.h"

FrmPrintAll::FrmPrintAll()
    : Form(QStringLiteral("frmPrintAll"))
{
    setWindowFlag(Qt::Dialog);
    setDesignSize(6990, 3885);
    using K = kiv::fit::Kind;
    lblMessage = addControl(new kiv::Label(QStringLiteral("lblMessage"), this), K::Label, 600, 480, 4335, 375);
    optPrintFR = addControl(new kiv::OptionButton(QStringLiteral("optPrintFR"), this), K::OptionButton, 600, 1320, 1950, 495);
    optPrintBS = addControl(new kiv::OptionButton(QStringLiteral("optPrintBS"), this), K::OptionButton, 2745, 1320, 2160, 495);
    optPrintBoth = addControl(new kiv::OptionButton(QStringLiteral("optPrintBoth"), this), K::OptionButton, 4995, 1335, 1605, 495);
    optPrintIndex = addControl(new kiv::OptionButton(QStringLiteral("optPrintIndex"), this), K::OptionButton, 2745, 1935, 2565, 495);
    cmdOK = addControl(new kiv::CommandButton(QStringLiteral("cmdOK"), this), K::CommandButton, 2190, 2775, 1215, 375);
    cmdCancel = addControl(new kiv::CommandButton(QStringLiteral("cmdCancel"), this), K::CommandButton, 3615, 2775, 1215, 375);
    CrystalReport1 = new kiv::report::ReportControl(this);
    CrystalReport1->setObjectName(QStringLiteral("CrystalReport1"));
    CrystalReport1->setEditions(kiv::industry::reportEditions());
    addInvisibleControl(CrystalReport1, K::ReportControl);
    optPrintFR->setChecked(true);
    connect(cmdOK, &kiv::CommandButton::Click, this, &FrmPrintAll::cmdOK_Click);
    connect(cmdCancel, &kiv::CommandButton::Click, this, &FrmPrintAll::cmdCancel_Click);
}

void FrmPrintAll::Form_Load()
{
    setCaption(kiv::text(354));
    lblMessage->setText(kiv::text(428));
    optPrintFR->setText(kiv::text(422));
    optPrintBS->setText(kiv::text(424));
    optPrintBoth->setText(kiv::text(426));
    optPrintIndex->setText(kiv::text(444));
    cmdOK->setText(QStringLiteral("OK"));
    cmdCancel->setText(QStringLiteral("Cancel"));
}

void FrmPrintAll::Form_Activate()
{
    const kiv::Edition* e = kiv::selectedEdition();
    if (e && e->kind == kiv::EditionKind::OneYear) {
        optPrintFR->setEnabled(true);
        optPrintBS->setEnabled(true);
        optPrintBoth->setEnabled(true);
    } else {
        optPrintBS->setEnabled(false);
        optPrintBoth->setEnabled(false);
        optPrintFR->setEnabled(true);
        optPrintFR->setChecked(true);
    }
}

void FrmPrintAll::releaseOpener()
{
    if (!opener_)
        return;
    opener_->ZOrder(0);
    opener_->setEnabled(true);
}

void FrmPrintAll::cmdOK_Click()
{
    Hide();
    // A failure is told to the user (the printer tells its own); the industry selection is
    // usable again whatever happens.
    QString failure;
    try {
        if (!optPrintIndex->isChecked()) {
            const int pages = optPrintBoth->isChecked() ? 2 * gIndustryCount : gIndustryCount;
            const QString n = QString::number(pages);
            const QString prompt = gLanguage == 0 ? QStringLiteral("You will print ") + n + QStringLiteral(" pages.  Continue ?")
                                                  : QStringLiteral("Vous avez choisi d'imprimer ") + n + QStringLiteral(" pages.  Continuer ?");
            const int answer = kiv::MsgBox(prompt, kiv::vbOKCancel + kiv::vbQuestion, QStringLiteral("Kivob"));
            releaseOpener();
            if (answer != kiv::vbOK)
                return;
            kiv::PointerGuard hourglass;
            QStringList kinds;
            if (optPrintFR->isChecked() || optPrintBoth->isChecked())
                kinds << QStringLiteral("Ratios");
            if (optPrintBS->isChecked() || optPrintBoth->isChecked())
                kinds << QStringLiteral("BalanceSheet");
            for (const QString& kind : kinds) { // a failed run ends the printing
                CrystalReport1->setReportFileName(gDataPath + kiv::GetReportFileName(kind));
                CrystalReport1->setDataSource(gRSData);
                CrystalReport1->setDestination(kiv::report::crptToPrinter);
                CrystalReport1->setAction(1);
            }
        } else {
            kiv::PointerGuard hourglass;
            kiv::PrintIndustryIndex();
        }
    } catch (const kiv::report::ReportError& e) {
        if (!e.reported())
            failure = e.message();
    } catch (const kiv::db::DbError& e) {
        failure = gLanguage == 0 ? QStringLiteral("The industry index could not be printed: the edition's data could not be read (%1).")
                                 : QStringLiteral("L'index des industries n'a pas pu être imprimé : les données de l'édition n'ont pas pu être lues (%1).");
        failure = failure.arg(e.detail());
    }
    releaseOpener();
    if (!failure.isEmpty())
        kiv::MsgBox(failure, kiv::vbOKOnly + kiv::vbExclamation);
}

void FrmPrintAll::cmdCancel_Click()
{
    Hide();
    releaseOpener();
}

void FrmPrintAll::Form_Unload()
{
    cmdCancel_Click();
}
