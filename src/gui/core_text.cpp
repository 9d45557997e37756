#include "gui/core_text.h"

#include <QStringDecoder>

namespace burnlab {

QString fromCore(std::string_view text) {
  QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
  const QByteArrayView bytes(text.data(), static_cast<qsizetype>(text.size()));
  QString decoded = utf8(bytes);
  if (utf8.hasError()) return QString::fromLatin1(bytes);
  return decoded;
}

std::string toCore(const QString& text) {
  return text.toUtf8().toStdString();
}

}  // namespace burnlab
