#pragma once
#include "platform/controls.h"
#include "platform/form.h"

#include <QGroupBox>
#include <QHash>
#include <vector>

// The edition menu: the user chooses the edition of the benchmark data and starts the
// program proper, or opens the About box, the help or the exit question. Its option buttons
// are the program's only record of the chosen edition (see edition_choice.h).
class FrmMenuselect : public kiv::Form {
    Q_OBJECT
public:
    FrmMenuselect();

    QGroupBox* frameDataAvailable = nullptr;
    kiv::OptionButton *optVol1, *optVol2, *optVol3, *optAtlantic, *optQuebec, *optOntario, *optManitoba,
        *optSaskatchewan, *optPrairies, *optAlberta, *optBritishColumbia, *optNewfoundland,
        *optPrinceEdwardIsland, *optNovaScotia, *optNewBrunswick, *optYukon, *optTerritories,
        *optNWT_Nunavut, *optOther;
    kiv::Panel3D* SSPanel7 = nullptr;       // the title
    kiv::PictureButton* Startapp = nullptr;
    kiv::PictureButton* CmdHelp = nullptr;
    kiv::PictureButton* Aboutproduct = nullptr;
    kiv::Label* Label1 = nullptr;           // beside Startapp
    kiv::Label* Label2 = nullptr;           // beside CmdHelp
    kiv::Label* Label3 = nullptr;           // beside Aboutproduct
    kiv::CommandButton* Quit = nullptr;
    kiv::ShapeControl* Shape1 = nullptr;

    // The application's help file, set when the menu loads; F1 opens it.
    QString HelpFile;

    void Startapp_Click();
    void Aboutproduct_Click();
    void CmdHelp_Click();
    void Quit_Click();

    // The 19 edition options in the order of the edition table.
    const std::vector<kiv::OptionButton*>& editionOptions() const { return options_; }
    kiv::OptionButton* editionOption(QStringView option) const;
    // The database file of an option as the data folder listed it (its letter case); empty
    // when the scan did not find it.
    QString listedFileName(QStringView option) const;
    void setListedFileName(const QString& option, const QString& name);

    // The screen scaling of this window: every control by the common rule, shapes apart,
    // fonts as designed.
    static kiv::fit::Variant fitVariant();

protected:
    void Form_Load() override;
    void Form_Paint() override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::vector<kiv::OptionButton*> options_;
    QHash<QString, QString> listedNames_;
};
KIV_FORM_ACCESSOR(FrmMenuselect, frmMenuselect)
