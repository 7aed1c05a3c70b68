#include "platform/DialogUserMessages.h"

#include "platform/Dialogs.h"
#include "platform/QtText.h"

#include <QApplication>
#include <QString>

void TDialogUserMessages::ShowMessage(TMessageKind kind, const std::string& text) {
  const TMessageIcon icon =
      kind == TMessageKind::Error ? TMessageIcon::Error : TMessageIcon::Information;
  Dialogs().Message(QApplication::activeWindow(), TQtText::FromCp1252(text), icon,
                    TMessageButtons::Ok);
}
