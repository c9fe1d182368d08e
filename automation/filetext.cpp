#include "automation/filetext.h"

#include <QTextCodec>

QString FileText::decode(const QByteArray &bytes)
{
    const int nul = bytes.indexOf('\0');
    const QByteArray text = nul >= 0 ? bytes.left(nul) : bytes;
    QTextCodec *utf8 = QTextCodec::codecForName("UTF-8");
    QTextCodec::ConverterState state;
    const QString decoded = utf8->toUnicode(text.constData(), text.size(), &state);
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return decoded;
    return QString::fromLatin1(text);
}
