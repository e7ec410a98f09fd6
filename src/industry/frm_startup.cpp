#include "industry/frm_startup.h"

FrmStartup::FrmStartup()
    : Form(QStringLiteral("frmStartup"))
{
    setDesignSize(12000, 9000);
}
