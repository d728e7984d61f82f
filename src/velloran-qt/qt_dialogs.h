#pragma once
// Message boxes and file dialogs on Qt.

#include <QString>
#include <QStringList>

#include "velloran/platform/file_dialog.h"
#include "velloran/platform/message_box.h"

class QWidget;

namespace vl {

TModalResult QtMessageDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, QWidget* parent = nullptr);
bool QtFileDialog(TFileDialogOptions& Options, bool save, QWidget* parent = nullptr);

/// "Text (*.txt)|*.txt|All|*.*" as Qt's name filters: "Text (*.txt)", "All (*.*)".
QStringList QtNameFilters(const String& Filter);
/// fileName with ".ext" appended when it has no extension; DefaultExt may be
/// given as "txt", ".txt" or "*.txt".
QString WithDefaultExt(const QString& fileName, const String& DefaultExt);

} // namespace vl
