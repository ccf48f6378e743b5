#include "attempts/PaperIdentity.h"

#include <QCryptographicHash>

namespace zelvora::attempts {

QString PaperIdentity::HashKey(const QByteArray& keyBytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(keyBytes, QCryptographicHash::Sha256).toHex());
}

} // namespace zelvora::attempts
