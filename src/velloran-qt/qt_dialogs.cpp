#include "velloran-qt/qt_dialogs.h"

#include <QAbstractButton>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

#include <utility>

namespace vl {

namespace {

QString ToQString(const String& s) { return QString::fromStdU16String(s); }

// Captions as the message boxes of the classic framework show them.
std::pair<QMessageBox::Icon, QString> Look(TMsgDlgType type) {
    switch (type) {
    case TMsgDlgType::mtWarning: return {QMessageBox::Warning, QStringLiteral("Warning")};
    case TMsgDlgType::mtError: return {QMessageBox::Critical, QStringLiteral("Error")};
    case TMsgDlgType::mtInformation: return {QMessageBox::Information, QStringLiteral("Information")};
    case TMsgDlgType::mtConfirmation: return {QMessageBox::Question, QStringLiteral("Confirm")};
    case TMsgDlgType::mtCustom: break;
    }
    return {QMessageBox::NoIcon, QString()};
}

struct TButtonMap {
    TMsgDlgBtn Btn;
    QMessageBox::StandardButton Qt;
};
constexpr TButtonMap Buttons[] = {
    {TMsgDlgBtn::mbYes, QMessageBox::Yes},       {TMsgDlgBtn::mbNo, QMessageBox::No},
    {TMsgDlgBtn::mbOK, QMessageBox::Ok},         {TMsgDlgBtn::mbCancel, QMessageBox::Cancel},
    {TMsgDlgBtn::mbAbort, QMessageBox::Abort},   {TMsgDlgBtn::mbRetry, QMessageBox::Retry},
    {TMsgDlgBtn::mbIgnore, QMessageBox::Ignore},
};

} // namespace

TModalResult QtMessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Btns, QWidget* parent) {
    const auto [icon, title] = Look(DlgType);
    QMessageBox box(icon, title, ToQString(Msg), QMessageBox::NoButton, parent);
    // A box without buttons could not be closed with an answer.
    if (Btns.Empty()) Btns = {TMsgDlgBtn::mbOK};
    for (const auto& b : Buttons)
        if (Btns.Contains(b.Btn)) box.addButton(b.Qt);
    box.exec();
    const QMessageBox::StandardButton chosen = box.standardButton(box.clickedButton());
    for (const auto& b : Buttons)
        if (b.Qt == chosen) return ModalResultOf(b.Btn);
    // Closed without a button (window closed): the dialog was cancelled.
    return TModalResult::mrCancel;
}

QStringList QtNameFilters(const String& Filter) {
    const QStringList parts = ToQString(Filter).split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString name = parts[i].trimmed();
        // "Text (*.txt)" already names its patterns; Qt reads the last
        // parentheses, so they are replaced by the real ones.
        if (name.endsWith(QLatin1Char(')'))) {
            const qsizetype open = name.lastIndexOf(QLatin1Char('('));
            if (open >= 0) name = name.left(open).trimmed();
        }
        QStringList patterns = parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& p : patterns) p = p.trimmed();
        if (name.isEmpty()) name = patterns.join(QLatin1Char(' '));
        result << QStringLiteral("%1 (%2)").arg(name, patterns.join(QLatin1Char(' ')));
    }
    return result;
}

QString WithDefaultExt(const QString& fileName, const String& DefaultExt) {
    QString ext = ToQString(DefaultExt);
    while (ext.startsWith(QLatin1Char('*')) || ext.startsWith(QLatin1Char('.'))) ext.remove(0, 1);
    if (ext.isEmpty() || fileName.isEmpty() || !QFileInfo(fileName).suffix().isEmpty()) return fileName;
    if (fileName.endsWith(QLatin1Char('/'))) return fileName;
    return fileName + QLatin1Char('.') + ext;
}

bool QtFileDialog(TFileDialogOptions& Options, bool save, QWidget* parent) {
    QFileDialog dlg(parent, ToQString(Options.Title));
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = QtNameFilters(Options.Filter);
    if (!filters.isEmpty()) dlg.setNameFilters(filters);
    if (!Options.InitialDir.empty()) dlg.setDirectory(QString::fromStdString(Options.InitialDir));
    if (!Options.FileName.empty()) dlg.selectFile(QString::fromStdString(Options.FileName));
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return false;
    QString chosen = dlg.selectedFiles().constFirst();
    // An existing file is opened as chosen, even without an extension.
    if (save || !QFileInfo::exists(chosen)) chosen = WithDefaultExt(chosen, Options.DefaultExt);
    Options.FileName = chosen.toStdString();
    return true;
}

} // namespace vl
