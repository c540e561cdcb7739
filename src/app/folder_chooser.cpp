#include "app/folder_chooser.h"

#include <QDialogButtonBox>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSortFilterProxyModel>
#include <QTreeView>
#include <QVBoxLayout>

#include "widgets/qt_text.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

// Keeps the root, what lies beneath it, and the chain of folders leading to it.
class BeneathRootFilter : public QSortFilterProxyModel {
public:
    BeneathRootFilter(QString root, QObject* parent) : QSortFilterProxyModel(parent), root_(std::move(root)) {}

protected:
    bool filterAcceptsRow(int row, const QModelIndex& parent) const override {
        auto* model = static_cast<QFileSystemModel*>(sourceModel());
        QString path = model->filePath(model->index(row, 0, parent));
        if (path == root_ || path.startsWith(root_ + '/')) return true;
        QString ancestor = path.endsWith('/') ? path : path + '/';
        return root_.startsWith(ancestor);
    }

private:
    QString root_;
};

}  // namespace

FolderChooserDialog::FolderChooserDialog(const QString& caption, const fs::path& root, QWidget* parent)
    : QDialog(parent), root_(root) {
    setWindowTitle(caption);
    QString rootText = toQtPath(root);
    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::Dirs | QDir::NoDotAndDotDot);
    model_->setReadOnly(true);
    model_->setRootPath(rootText);
    proxy_ = new BeneathRootFilter(rootText, this);
    proxy_->setSourceModel(model_);
    proxy_->setRecursiveFilteringEnabled(false);

    auto* prompt = new QLabel(caption, this);
    tree_ = new QTreeView(this);
    tree_->setObjectName("folderTree");
    tree_->setAccessibleName(caption);
    tree_->setModel(proxy_);
    for (int column = 1; column < model_->columnCount(); ++column) tree_->hideColumn(column);
    tree_->header()->hide();
    QModelIndex rootIndex = model_->index(rootText);
    tree_->setRootIndex(proxy_->mapFromSource(rootIndex.parent()));
    tree_->setCurrentIndex(proxy_->mapFromSource(rootIndex));
    tree_->expand(proxy_->mapFromSource(rootIndex));
    prompt->setBuddy(tree_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(tree_, &QTreeView::doubleClicked, this, [this](const QModelIndex&) { accept(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(tree_);
    layout->addWidget(buttons);
    resize(420, 440);
}

void FolderChooserDialog::selectFolder(const fs::path& folder) {
    QModelIndex index = proxy_->mapFromSource(model_->index(toQtPath(folder)));
    if (!index.isValid()) return;
    tree_->setCurrentIndex(index);
    tree_->scrollTo(index);
}

fs::path FolderChooserDialog::selectedFolder() const {
    QModelIndex index = proxy_->mapToSource(tree_->currentIndex());
    if (!index.isValid()) return root_;
    return pathFromQt(model_->filePath(index));
}

bool ChooseFolder(QWidget* owner, const QString& caption, const fs::path& root, fs::path& folder) {
    std::error_code error;
    if (!fs::is_directory(folder, error)) folder.clear();
    FolderChooserDialog dialog(caption, root, owner);
    if (!folder.empty()) dialog.selectFolder(folder);
    if (dialog.exec() != QDialog::Accepted) return false;
    folder = dialog.selectedFolder();
    return true;
}

}  // namespace telvanor
