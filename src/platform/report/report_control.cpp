#include "platform/report/report_control.h"

#include "platform/db/database.h"
#include "platform/language.h"
#include "platform/printer_qt.h"

#include <QDir>
#include <QFileInfo>
#include <QTextDocument>

namespace kiv::report {

namespace {
QString say(const char16_t* english, const char16_t* french)
{
    return QString::fromUtf16(gLanguage == 0 ? english : french);
}

// The template file: the path as named, with backslashes read as separators, and in its folder
// the file whose name differs only in letter case (the templates of the disc may be copied in
// capitals, while the program names them as the edition table spells them). Empty when none.
QString existingTemplate(const QString& named)
{
    if (QFileInfo(named).isFile())
        return named;
    QString path = named;
    path.replace(u'\\', u'/');
    const QFileInfo info(path);
    if (info.isFile())
        return path;
    const QDir folder = info.dir();
    if (info.fileName().isEmpty() || !folder.exists())
        return QString();
    for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden))
        if (name.compare(info.fileName(), Qt::CaseInsensitive) == 0)
            return folder.filePath(name);
    return QString();
}
} // namespace

ReportView::ReportView(QWidget* parent)
    : QTextEdit(parent)
{
    setObjectName(QStringLiteral("rptView"));
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setUndoRedoEnabled(false);
}

ReportControl::ReportControl(QObject* parent)
    : QObject(parent)
{
}

ReportControl::~ReportControl() = default;

void ReportControl::setAction(int action)
{
    if (action == 1)
        run();
}

void ReportControl::run()
{
    // The template: named, present, and one of the program's names. Its content is not read.
    if (fileName_.trimmed().isEmpty())
        throw ReportError(ReportError::Code::NoTemplate,
                          say(u"No report template is named for this report: no edition is chosen.",
                              u"Aucun modèle de rapport n'est nommé pour ce rapport : aucune édition n'est choisie."));
    const QString path = existingTemplate(fileName_);
    if (path.isEmpty()) {
        QString slashed = fileName_;
        slashed.replace(u'\\', u'/');
        throw ReportError(ReportError::Code::TemplateMissing,
                          say(u"The report template \"%1\" could not be found. Copy the contents of the disc's "
                              u"'Data' folder into the program folder.",
                              u"Le modèle de rapport « %1 » est introuvable. Copiez le contenu du dossier 'Data' du "
                              u"disque dans le dossier du programme.")
                              .arg(QDir::toNativeSeparators(slashed)));
    }
    // The report is the one the program named, whatever the letter case of the file found.
    const std::optional<ReportTemplate> t = parseTemplateName(fileName_, editions_);
    if (!t)
        throw ReportError(ReportError::Code::UnknownTemplate,
                          say(u"\"%1\" is not the name of a report template of this program.",
                              u"« %1 » n'est pas le nom d'un modèle de rapport de ce programme.")
                              .arg(QFileInfo(path).fileName()));
    const Selection selection = parseSelectionFormula(formula_);
    const std::shared_ptr<db::Snapshot> data = data_;
    if (!data)
        throw ReportError(ReportError::Code::NoData,
                          say(u"The edition's data could not be read.", u"Les données de l'édition n'ont pas pu être lues."));

    // To the printer the printout starts now, before the report is built: the windows go on
    // repainting while it is built, and the printer's progress, with Cancel, comes up when the
    // whole takes long.
    std::unique_ptr<PrintJob> job;
    if (destination_ == crptToPrinter)
        job = startPrintout(reportTitle(*t));
    PageDocument doc;
    try {
        doc = buildReport(*data, selection, *t, job.get());
    } catch (const db::DbError& e) {
        throw ReportError(ReportError::Code::NoData,
                          say(u"The edition's data could not be read: %1", u"Les données de l'édition n'ont pas pu être lues : %1")
                              .arg(e.detail()));
    }

    if (destination_ == crptToPrinter) {
        if (doc.pages.empty() && !job->cancelled())
            throw ReportError(ReportError::Code::NoRecords,
                              say(u"No industry matches the report's selection: nothing was printed.",
                                  u"Aucune industrie ne répond à la sélection du rapport : rien n'a été imprimé."));
        const PrintOutcome outcome = job->print(doc); // after a Cancel: nothing printed, the user told
        job.reset();
        last_ = doc;
        view_ = nullptr;
        if (!outcome.ok())
            throw ReportError(ReportError::Code::PrintFailed,
                              say(u"The report could not be printed.", u"Le rapport n'a pas pu être imprimé."), true);
        return;
    }

    if (!parent_)
        throw ReportError(ReportError::Code::NoWindow,
                          say(u"The report has no window to be shown in.", u"Le rapport n'a pas de fenêtre où s'afficher."));
    if (doc.pages.empty())
        doc.pages.push_back(emptyReportPage(*t));

    auto* view = new ReportView(parent_);
    std::unique_ptr<QTextDocument> text = toTextDocument(doc, view->logicalDpiY() / 72.0);
    text->setParent(view);
    view->setDocument(text.release());
    if (width_ > 0 && height_ > 0)
        view->setGeometry(left_, top_, width_, height_);
    else
        view->setGeometry(left_, top_, std::max(parent_->width() - left_, 1), std::max(parent_->height() - top_, 1));
    // Each run draws a report of its own: an earlier one in the same window goes.
    for (ReportView* old : parent_->findChildren<ReportView*>(Qt::FindDirectChildrenOnly)) {
        if (old != view) {
            old->hide();
            old->deleteLater();
        }
    }
    view->show();
    view_ = view;
    last_ = std::move(doc);
}

} // namespace kiv::report
