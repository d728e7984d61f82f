#pragma once
// The editor's File and Edit commands: new, open, save and save as with
// the progress bar, undo and redo, the window title with the file name and
// a modified mark, and the question before unsaved changes are dropped.

#include <QObject>
#include <QString>

class QMenu;
class QMenuBar;

namespace sketch {

class MainWindow;

class FileCommands : public QObject {
    Q_OBJECT

  public:
    explicit FileCommands(MainWindow& window);

    void AddFileActions(QMenu* file);
    void AddEditMenu(QMenuBar* bar);
    // Once the form has loaded: the document keeps undo steps and every
    // click of a symbol tool becomes one.
    void Attach();
    // False when the user keeps the window open (unsaved changes, cancelled).
    bool ConfirmClose();

    void New();
    // An empty path asks for one.
    bool Open(const QString& path = {});
    bool Save();
    bool SaveAs(const QString& path = {});
    void Undo();
    void Redo();
    bool Modified() const { return FChanges != FSavedAt; }

  private:
    bool SaveTo(const QString& path);
    // Asks about unsaved changes; false when the user cancels.
    bool MayDiscard();
    void Changed(int delta);
    void MarkClean();
    void UpdateTitle();

    MainWindow& FWindow;
    QString FFileName;
    // Changes since the start, counted back by undo; the drawing is
    // unmodified while the count is where the last save or load left it.
    int FChanges = 0;
    int FSavedAt = 0;
};

} // namespace sketch
