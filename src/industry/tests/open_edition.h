#pragma once
// The industry selection window on a sample edition, as the edition menu's Start opens it.
#include "industry/frm_startup.h"
#include "test_support.h"

namespace industrytest {

// The sample edition of the option in the data folder, with every sample template beside it
// unless asked not to; the window shown in the language given.
inline FrmStartup& openEdition(const kivtest::Program& program, int language, const QString& option, bool templates = true)
{
    kivtest::setLanguage(language);
    kivtest::useSampleEdition(program, option);
    if (templates)
        kivtest::useSampleTemplates(program);
    FrmStartup& w = frmStartup();
    w.Show();
    return w;
}

} // namespace industrytest
