#include "file_commands.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>

#include <velloran/document/data_module.h>
#include <velloran/storage/infobox.h>
#include <velloran/tools/creator.h>

#include "main_window.h"
#include "sketch_form.h"

namespace sketch {

using namespace vl;

namespace {
const QString Filter = QObject::tr("Drawings (*.vld);;All files (*)");
constexpr int32_t UndoSteps = 100;

std::string LocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }
} // namespace

FileCommands::FileCommands(MainWindow& window) : QObject(&window), FWindow(window) {}

void FileCommands::AddFileActions(QMenu* file) {
    file->addAction(tr("&New"), QKeySequence::New, this, &FileCommands::New);
    file->addAction(tr("&Open..."), QKeySequence::Open, this, [this] { Open(); });
    file->addAction(tr("&Save"), QKeySequence::Save, this, [this] { Save(); });
    // Not every platform theme binds a Save As key.
    file->addAction(tr("Save &As..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S), this, [this] { SaveAs(); });
    file->addSeparator();
}

void FileCommands::AddEditMenu(QMenuBar* bar) {
    QMenu* edit = bar->addMenu(tr("&Edit"));
    edit->addAction(tr("&Undo"), QKeySequence::Undo, this, &FileCommands::Undo);
    edit->addAction(tr("&Redo"), QKeySequence::Redo, this, &FileCommands::Redo);
}

void FileCommands::Attach() {
    TSketchForm& form = FWindow.Form();
    TvlDataModule& doc = *form.Document();
    // Creation is backed up per click below, not per tool activation.
    doc.SetUndoFunction(TUndo{TUndoOptions::unMove, TUndoOptions::unDelete});
    doc.SetUndoSteps(UndoSteps);
    doc.Loaded();
    // Before the window's own handler, which may start an edit.
    form.DrawBox->OnMouseDown = [this, &doc, &form, next = form.DrawBox->OnMouseDown](
                                    TObject* Sender, TMouseButton Button, TShiftState Shift, int32_t X, int32_t Y) {
        if (Button == TMouseButton::mbLeft && dynamic_cast<TvlCreator*>(form.DrawBox->Tool())) {
            doc.Backup(TBackupMode::bkCreate);
            Changed(+1);
        }
        if (next) next(Sender, Button, Shift, X, Y);
    };
    UpdateTitle();
}

void FileCommands::Changed(int delta) {
    // A new change after undoing past the saved state can never return to it.
    if (delta > 0 && FChanges < FSavedAt) FSavedAt = -1;
    FChanges += delta;
    UpdateTitle();
}

void FileCommands::MarkClean() {
    FChanges = FSavedAt = 0;
    UpdateTitle();
}

void FileCommands::UpdateTitle() {
    const QString name = FFileName.isEmpty() ? tr("Untitled") : QFileInfo(FFileName).fileName();
    FWindow.setWindowTitle(tr("%1[*] \u2013 Sketch").arg(name));
    FWindow.setWindowModified(Modified());
}

bool FileCommands::MayDiscard() {
    if (!Modified()) return true;
    // Own button texts: their mnemonics are the same on every platform theme.
    QMessageBox box(QMessageBox::Question, tr("Sketch"), tr("The drawing has unsaved changes. Save them?"),
                    QMessageBox::NoButton, &FWindow);
    QPushButton* save = box.addButton(tr("&Save"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(tr("&Discard"), QMessageBox::DestructiveRole);
    box.addButton(tr("Cancel"), QMessageBox::RejectRole);
    box.setDefaultButton(save);
    box.exec();
    if (box.clickedButton() == discard) return true;
    return box.clickedButton() == save && Save();
}

bool FileCommands::ConfirmClose() { return MayDiscard(); }

void FileCommands::New() {
    if (!MayDiscard()) return;
    TvlDataModule& doc = *FWindow.Form().Document();
    doc.Clear();
    FFileName.clear();
    MarkClean();
}

bool FileCommands::Open(const QString& path) {
    if (!MayDiscard()) return false;
    const QString file = path.isEmpty() ? QFileDialog::getOpenFileName(&FWindow, tr("Open drawing"), {}, Filter) : path;
    if (file.isEmpty()) return false;
    TvlDataModule& doc = *FWindow.Form().Document();
    if (!doc.LoadFromFile(LocalPath(file))) {
        QMessageBox::warning(&FWindow, tr("Sketch"), tr("%1 holds no drawing this editor can read.").arg(file));
        return false;
    }
    FFileName = file;
    MarkClean();
    return true;
}

bool FileCommands::Save() { return FFileName.isEmpty() ? SaveAs() : SaveTo(FFileName); }

bool FileCommands::SaveAs(const QString& path) {
    QString file = path.isEmpty() ? QFileDialog::getSaveFileName(&FWindow, tr("Save drawing"), FFileName, Filter) : path;
    if (file.isEmpty()) return false;
    if (QFileInfo(file).suffix().isEmpty()) file += QStringLiteral(".vld");
    return SaveTo(file);
}

bool FileCommands::SaveTo(const QString& path) {
    try {
        if (FWindow.Form().Document()->SaveToFile(LocalPath(path)) == TSaveResult::srCancelled) {
            QMessageBox::information(&FWindow, tr("Sketch"), tr("Saving was cancelled; %1 is unchanged.").arg(path));
            return false;
        }
    } catch (const std::exception& e) {
        QMessageBox::critical(&FWindow, tr("Sketch"), tr("Cannot save %1: %2").arg(path, QString::fromLocal8Bit(e.what())));
        return false;
    }
    FFileName = path;
    MarkClean();
    return true;
}

void FileCommands::Undo() {
    TvlDataModule& doc = *FWindow.Form().Document();
    const TUndoManager* m = doc.UndoManager();
    if (!m) return;
    const int before = m->UndoPosition();
    doc.Undo();
    if (m->UndoPosition() != before) Changed(-1);
}

void FileCommands::Redo() {
    TvlDataModule& doc = *FWindow.Form().Document();
    const TUndoManager* m = doc.UndoManager();
    if (!m) return;
    const int before = m->UndoPosition();
    doc.Redo();
    if (m->UndoPosition() != before) Changed(+1);
}

} // namespace sketch
