#pragma once
// Reading back a printout saved as a PDF file, with poppler's pdftotext: its text as laid out,
// and where each word stands on the page; and printing to PDF files in a home of one's own.
#include "platform/printer_qt.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QList>
#include <QProcess>
#include <QRegularExpression>
#include <QString>
#include <QTemporaryDir>
#include <algorithm>

namespace kivtest {

// The text of the PDF as pdftotext lays it out (-layout); empty when it can't be read.
inline QString pdfToText(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

// One word of the PDF: its box, in points from the page's top left corner, and its page
// (from 0).
struct PdfWord {
    QString text;
    double x = 0;
    double y = 0;
    double xMax = 0;
    double yMax = 0;
    int page = 0;
};

// The words of the PDF in the order pdftotext reads them.
inline QList<PdfWord> pdfWords(const QString& path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), path, QStringLiteral("-")});
    QList<PdfWord> words;
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return words;
    static const QRegularExpression item(QStringLiteral("<page |<word xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" xMax=\"([0-9.]+)\" "
                                                        "yMax=\"([0-9.]+)\">([^<]*)</word>"));
    int page = -1;
    auto it = item.globalMatch(QString::fromUtf8(p.readAllStandardOutput()));
    while (it.hasNext()) {
        const auto m = it.next();
        if (m.capturedLength(1) == 0) {
            ++page;
            continue;
        }
        QString text = m.captured(5); // as written in the XML: the five entities undone
        text.replace(QStringLiteral("&quot;"), QStringLiteral("\"")).replace(QStringLiteral("&apos;"), QStringLiteral("'"));
        text.replace(QStringLiteral("&lt;"), QStringLiteral("<")).replace(QStringLiteral("&gt;"), QStringLiteral(">"));
        text.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
        words.push_back({text, m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                         m.captured(4).toDouble(), std::max(page, 0)});
    }
    return words;
}

// The left edge, in points, of each word of the PDF (the first one of a word seen twice).
inline QHash<QString, double> wordPositions(const QString& path)
{
    QHash<QString, double> x;
    for (const PdfWord& w : pdfWords(path))
        if (!x.contains(w.text))
            x.insert(w.text, w.x);
    return x;
}

// A home of its own while it lives, so that the documents folder, where printouts go as PDF
// files when there is no printer, is a temporary one.
class TempHome {
public:
    // A home of its own, or the folder given (with the configuration in `config`, or in the
    // home's own "config").
    explicit TempHome(const QString& home = QString(), const QString& config = QString())
        : home_(home.isEmpty() ? dir_.path() : home)
        , oldHome_(qgetenv("HOME"))
        , oldConfig_(qgetenv("XDG_CONFIG_HOME"))
    {
        qputenv("HOME", QFile::encodeName(home_));
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.isEmpty() ? home_ + QStringLiteral("/config") : config));
    }
    ~TempHome()
    {
        qputenv("HOME", oldHome_);
        if (oldConfig_.isEmpty())
            qunsetenv("XDG_CONFIG_HOME");
        else
            qputenv("XDG_CONFIG_HOME", oldConfig_);
    }
    TempHome(const TempHome&) = delete;
    TempHome& operator=(const TempHome&) = delete;
    QString documents() const { return home_ + QStringLiteral("/Documents"); }

private:
    QTemporaryDir dir_;
    QString home_;
    QByteArray oldHome_, oldConfig_;
};

// While it lives, printouts go to PDF files in a home of its own, as on a computer without a
// printer; the printer installed before comes back after. The progress dialog of a long
// printout shows after progressDelayMs.
class PdfPrinter {
public:
    explicit PdfPrinter(int progressDelayMs = 500)
        : printer_(kiv::QtPrinter::Target::PdfOnly, progressDelayMs)
        , previous_(kiv::setPrinter(&printer_))
    {
    }
    ~PdfPrinter() { kiv::setPrinter(previous_); }
    PdfPrinter(const PdfPrinter&) = delete;
    PdfPrinter& operator=(const PdfPrinter&) = delete;
    TempHome home;
    // The PDF files in the documents folder, by name.
    QStringList files() const { return QDir(home.documents()).entryList({QStringLiteral("*.pdf")}, QDir::Files, QDir::Name); }

private:
    kiv::QtPrinter printer_;
    kiv::Printer* previous_;
};

} // namespace kivtest
