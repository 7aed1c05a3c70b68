#include "platform/DialogUserMessages.h"

#include "base/Cp1252.h"
#include "platform/Dialogs.h"

#include <QApplication>
#include <QString>

void TDialogUserMessages::ShowMessage(TMessageKind kind, const std::string& text) {
  const TMessageIcon icon =
      kind == TMessageKind::Error ? TMessageIcon::Error : TMessageIcon::Information;
  Dialogs().Message(QApplication::activeWindow(), QString::fromUtf8(TCp1252::ToUtf8(text)), icon,
                    TMessageButtons::Ok);
}
