#pragma once
#include "platform/controls.h"
#include "platform/form.h"

#include <array>

// The one-year ratio comparison window. (Being built: so far it shows the firm's fifteen ratios
// as the entry window computed them, and leads back to the entry window.)
class FrmMyRatios : public kiv::Form {
    Q_OBJECT
public:
    FrmMyRatios();

    // The firm's ratios, in the window's order: Npm, Ppm, Opm, Gpm, Ortnoa, Rnoa, Ppa, Roce,
    // Roe, Rt, It, Wc, De, Lta, Ic.
    kiv::Label *lblMyNpm, *lblMyPpm, *lblMyOpm, *lblMyGpm, *lblMyOrtnoa, *lblMyRnoa, *lblMyPpa, *lblMyRoce, *lblMyRoe,
        *lblMyRt, *lblMyIt, *lblMyWc, *lblMyDe, *lblMyLta, *lblMyIc;
    kiv::CommandButton* Command2; // back to the entry window

    void Command2_Click();

protected:
    void Form_Load() override;
    // Every activation copies the firm's ratio texts from the entry window's hidden labels.
    void Form_Activate() override;
    void Form_Paint() override;

private:
    std::array<kiv::Label*, 15> names_{};
    std::array<kiv::Label*, 15> mine_{};
};
KIV_FORM_ACCESSOR(FrmMyRatios, frmMyRatios)
