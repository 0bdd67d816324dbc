#include "dialogs/FolderLists.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStorageInfo>
#include <QStyle>

namespace ohmora {

namespace {

bool isEnter(const QKeyEvent* event) {
    return event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
}

} // namespace

// --- drives ---------------------------------------------------------------------

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    setAccessibleName(QStringLiteral("Lecteurs"));
    fill();
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (onChosen) {
            onChosen(itemData(index).toString());
        }
    });
}

void DriveList::fill() {
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady()) {
            roots << volume.rootPath();
        }
    }
    roots.removeDuplicates();
    roots.sort();
    const QIcon icon = QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon);
    for (const QString& root : roots) {
        addItem(icon, root, root);
    }
}

QString DriveList::driveOf(const QString& path) {
    return QStorageInfo(path).rootPath();
}

QString DriveList::drive() const {
    return currentData().toString();
}

void DriveList::showDrive(const QString& drive) {
    int index = findData(drive);
    if (index < 0 && !drive.isEmpty()) {
        addItem(QApplication::style()->standardIcon(QStyle::SP_DriveHDIcon), drive, drive);
        index = count() - 1;
    }
    setCurrentIndex(index);
}

// --- directories ----------------------------------------------------------------

DirectoryList::DirectoryList(QWidget* parent) : QListWidget(parent) {
    setAccessibleName(QStringLiteral("Dossiers"));
    setAccessibleDescription(QStringLiteral("Entrée pour ouvrir le dossier en surbrillance"));
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { openHighlighted(); });
}

bool DirectoryList::setPath(const QString& path) {
    const QFileInfo info(path);
    if (!info.isDir() || !info.isReadable()) {
        return false;
    }
    const QString canonical = QDir(info.absoluteFilePath()).canonicalPath();
    const QDir dir(canonical);
    if (!dir.isReadable()) {
        return false;
    }
    path_ = canonical;
    clear();
    const QIcon open = QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon);
    // The ancestors from the root down, each one step further in.
    QStringList chain;
    for (QDir up(canonical);;) {
        chain.prepend(up.absolutePath());
        if (up.isRoot() || !up.cdUp()) {
            break;
        }
    }
    int depth = 0;
    for (const QString& ancestor : chain) {
        const QString name = depth == 0 ? ancestor : QFileInfo(ancestor).fileName();
        auto* item = new QListWidgetItem(open, QString(depth * 2, QLatin1Char(' ')) + name, this);
        item->setData(Qt::UserRole, ancestor);
        ++depth;
    }
    setCurrentRow(count() - 1);
    const QStringList children =
        dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QString& child : children) {
        auto* item =
            new QListWidgetItem(closed, QString(depth * 2, QLatin1Char(' ')) + child, this);
        item->setData(Qt::UserRole, dir.absoluteFilePath(child));
    }
    return true;
}

void DirectoryList::openHighlighted() {
    const QListWidgetItem* item = currentItem();
    if (!item) {
        return;
    }
    const QString target = item->data(Qt::UserRole).toString();
    if (target != path_ && setPath(target) && onChanged) {
        onChanged(path_);
    }
}

void DirectoryList::keyPressEvent(QKeyEvent* event) {
    if (isEnter(event)) {
        openHighlighted();
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

// --- files ----------------------------------------------------------------------

FileList::FileList(const QString& pattern, QWidget* parent)
    : QListWidget(parent), pattern_(pattern) {
    setAccessibleName(QStringLiteral("Fichiers"));
    // A click, or the arrow keys, make a file the current one.
    connect(this, &QListWidget::currentRowChanged, this, [this](int row) {
        if (row >= 0 && onClicked) {
            onClicked(item(row)->text());
        }
    });
    connect(this, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
        if (onActivated) {
            onActivated(item->text());
        }
    });
}

void FileList::setDirectory(const QString& directory) {
    directory_ = directory;
    refresh();
}

void FileList::refresh() {
    clear();
    // Name filters match without regard to case unless asked otherwise.
    const QStringList names = QDir(directory_)
                                  .entryList(QStringList{pattern_}, QDir::Files | QDir::Hidden,
                                             QDir::Name | QDir::IgnoreCase);
    addItems(names);
}

QStringList FileList::fileNames() const {
    QStringList names;
    for (int i = 0; i < count(); ++i) {
        names << item(i)->text();
    }
    return names;
}

void FileList::keyPressEvent(QKeyEvent* event) {
    if (isEnter(event) && currentItem()) {
        if (onActivated) {
            onActivated(currentItem()->text());
        }
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

} // namespace ohmora
