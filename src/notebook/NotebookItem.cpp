#include "notebook/NotebookItem.h"

namespace zelvora::notebook {

QString NotebookItem::keyLetter() const
{
    if (!rightWrong && keyLine.size() == 1 && keyLine[0] >= '1' && keyLine[0] <= '5')
        return QString(QChar('A' + (keyLine[0] - '1')));
    return QString::fromStdString(keyLine);
}

} // namespace zelvora::notebook
