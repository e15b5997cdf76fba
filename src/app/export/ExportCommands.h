#pragma once

#include <QObject>
#include <QString>

class QAction;
class QWidget;

namespace kvx {

class DialogService;
class ImageList;
class MessageTexts;
class TreeDocumentCommands;
class Workspace;

// "Exporter ..." of the "Plus ..." menu (mnuExport): the shown rows written
// as JSON, CSV, HTML or Markdown, the format chosen by the file's extension,
// with the colours and pictures the tree view shows.
class ExportCommands : public QObject
{
    Q_OBJECT

public:
    // `view` is the tree view, whose palette gives the system colours.
    ExportCommands(QAction* mnuExport, Workspace& workspace, const ImageList& pictures,
                   const QWidget& view, DialogService& dialogs, const MessageTexts& texts,
                   const TreeDocumentCommands& documents, QObject* parent = nullptr);

    // Writes the export; a failure leaves any old file as it was and says so
    // in a box titled "KVX"; returns false then.
    bool exportTo(const QString& path);

public Q_SLOTS:
    // Asks for the file, starting where the documents' dialogs start.
    void mnuExport_Click();

private:
    Workspace& m_workspace;
    const ImageList& m_pictures;
    const QWidget& m_view;
    DialogService& m_dialogs;
    const MessageTexts& m_texts;
    const TreeDocumentCommands& m_documents;
};

} // namespace kvx
