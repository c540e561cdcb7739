#pragma once

#include <filesystem>

#include <QDialog>
#include <QString>

class QFileSystemModel;
class QSortFilterProxyModel;
class QTreeView;

namespace telvanor {

// A folder browser that shows only the tree beneath its root folder, the root included, so
// the user cannot leave it.
class FolderChooserDialog : public QDialog {
    Q_OBJECT
public:
    FolderChooserDialog(const QString& caption, const std::filesystem::path& root, QWidget* parent = nullptr);

    void selectFolder(const std::filesystem::path& folder);
    std::filesystem::path selectedFolder() const;

private:
    std::filesystem::path root_;
    QFileSystemModel* model_;
    QSortFilterProxyModel* proxy_;
    QTreeView* tree_;
};

// The folder chooser of Open project: an in-out folder that is emptied first when it does
// not exist, pre-selected when not empty, and replaced by the chosen folder on OK.
// Gives true on OK, false on Cancel.
bool ChooseFolder(QWidget* owner, const QString& caption, const std::filesystem::path& root,
                  std::filesystem::path& folder);

}  // namespace telvanor
