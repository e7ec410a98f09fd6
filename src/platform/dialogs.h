#pragma once
#include <QString>
#include <memory>

// Message and input boxes. Every modal question of the program goes through here, so tests can
// give the answers in advance and read what was asked.
namespace kiv {

// Button sets and icons, combined by adding them (vbYesNo + vbQuestion = 36).
enum MsgStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton2 = 256,
};

// The button that closed the box.
enum MsgResult : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

// Title shown by a box that is given none.
inline constexpr const char16_t* kAppTitle = u"Kiv_2000";

class DialogProvider {
public:
    virtual ~DialogProvider() = default;
    // title is never empty here: MsgBox has already put the application's title in.
    virtual int message(const QString& prompt, int style, const QString& title) = 0;
    // Returns the text of the box when OK was pressed; the empty text for Cancel.
    virtual QString input(const QString& prompt, const QString& title, const QString& defaultText) = 0;
};

// Installs the provider used by MsgBox and InputBox; the previous one is returned.
// The program installs the Qt one at start; tests install a scripted one.
DialogProvider* setDialogProvider(DialogProvider* provider);
DialogProvider* dialogProvider();

int MsgBox(const QString& prompt, int style = vbOKOnly, const QString& title = QString());
QString InputBox(const QString& prompt, const QString& title = QString(), const QString& defaultText = QString());

// Texts of the standard buttons in the user's language (0 English, 1 French).
QString buttonText(MsgResult button, int language);

} // namespace kiv
