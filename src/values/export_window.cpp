#include "values/export_window.h"

#include "industry/frm_startup.h"
#include "platform/form.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <map>
#include <stdexcept>

namespace kiv {

namespace {

std::map<exports::OwnerSlot, ExportOwner*>& owners()
{
    static std::map<exports::OwnerSlot, ExportOwner*> map;
    return map;
}

QWidget* findControl(const QObject& window, const QString& name)
{
    QWidget* w = window.findChild<QWidget*>(name);
    if (!w || !(qobject_cast<QLabel*>(w) || qobject_cast<QLineEdit*>(w) || qobject_cast<QAbstractButton*>(w)))
        throw std::invalid_argument("no such control");
    return w;
}

QString textOfWidget(const QWidget* w)
{
    if (auto* label = qobject_cast<const QLabel*>(w))
        return label->text();
    if (auto* box = qobject_cast<const QLineEdit*>(w))
        return box->text();
    return static_cast<const QAbstractButton*>(w)->text();
}

} // namespace

ExportOwner::ExportOwner(exports::OwnerSlot slot)
    : slot_(slot)
{
    owners()[slot] = this;
}

ExportOwner::~ExportOwner()
{
    auto it = owners().find(slot_);
    if (it != owners().end() && it->second == this)
        owners().erase(it);
}

ExportOwner* exportOwner(exports::OwnerSlot slot)
{
    auto it = owners().find(slot);
    return it == owners().end() ? nullptr : it->second;
}

QString controlText(const QObject& window, const QString& name)
{
    return textOfWidget(findControl(window, name));
}

std::vector<exports::ExportCell> windowCells(const QObject& window, const exports::Layout& layout)
{
    return exports::layoutCells(layout, [&window](const QString& name) -> std::function<QString()> {
        return [&window, name] { return controlText(window, name); };
    });
}

QString industryCodeText()
{
    const kiv::Label* code = frmStartup().lblSICC;
    return code ? code->text() : QString();
}

} // namespace kiv
