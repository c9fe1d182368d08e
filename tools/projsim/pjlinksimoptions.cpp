#include "pjlinksimoptions.h"

namespace {

void splitKeyed(const QString &text, QString *key, QString *value)
{
    const int eq = text.indexOf(QLatin1Char('='));
    *key = eq < 0 ? QString() : QHostAddress(text.left(eq).trimmed()).toString();
    *value = eq < 0 ? text.trimmed() : text.mid(eq + 1).trimmed();
}

bool isErst(const QString &text)
{
    if (text.size() != 6)
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('2'))
            return false;
    }
    return true;
}

} // namespace

QString PJLinkSimOptions::usage()
{
    return QStringLiteral(
        "  PJLink: --pjlink 1|2 [--pjlink-port 4352] [--pjlink-password PW] [--pjlink-delay MS]\n"
        "          [--pjlink-idle-ms 30000] [--pjlink-single] [--pjlink-close-after]\n"
        "          [--pjlink-lamp [IP=]HOURS[,HOURS]]... [--pjlink-erst [IP=]DIGITS]...\n"
        "          [--pjlink-power [IP=]0|1]... [--pjlink-silent IP]... [--pjlink-notify HOST[:PORT]]\n");
}

bool PJLinkSimOptions::take(QStringList *arguments, QString *error)
{
    QStringList rest;
    const QStringList args = *arguments;
    for (int i = 0; i < args.size(); ++i) {
        QString name = args.at(i);
        if (!name.startsWith(QLatin1String("--pjlink"))) {
            rest << name;
            continue;
        }
        QString value;
        const int eq = name.indexOf(QLatin1Char('='));
        const bool flag = name == QLatin1String("--pjlink-single") || name == QLatin1String("--pjlink-close-after");
        if (eq > 0 && !flag) {
            value = name.mid(eq + 1);
            name = name.left(eq);
        } else if (!flag) {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("%1 needs a value").arg(name);
                return false;
            }
            value = args.at(++i);
        }
        bool ok = true;
        QString key;
        QString keyed;
        splitKeyed(value, &key, &keyed);
        if (name == QLatin1String("--pjlink")) {
            classLevel = value.toInt(&ok);
            ok = ok && (classLevel == 1 || classLevel == 2);
        } else if (name == QLatin1String("--pjlink-port")) {
            const int p = value.toInt(&ok);
            ok = ok && p > 0 && p < 65536;
            port = quint16(p);
        } else if (name == QLatin1String("--pjlink-password")) {
            password = value;
        } else if (name == QLatin1String("--pjlink-delay")) {
            delayMs = value.toInt(&ok);
            ok = ok && delayMs >= 0;
        } else if (name == QLatin1String("--pjlink-idle-ms")) {
            idleMs = value.toInt(&ok);
            ok = ok && idleMs > 0;
        } else if (name == QLatin1String("--pjlink-single")) {
            single = true;
        } else if (name == QLatin1String("--pjlink-close-after")) {
            closeAfterAnswer = true;
        } else if (name == QLatin1String("--pjlink-lamp")) {
            for (const QString &h : keyed.split(QLatin1Char(','))) {
                const int hours = h.toInt(&ok);
                if (!ok || hours < 0 || hours > 99999) {
                    ok = false;
                    break;
                }
            }
            lamps.insert(key, keyed);
        } else if (name == QLatin1String("--pjlink-erst")) {
            ok = isErst(keyed);
            erst.insert(key, keyed);
        } else if (name == QLatin1String("--pjlink-power")) {
            const int p = keyed.toInt(&ok);
            ok = ok && (p == 0 || p == 1);
            power.insert(key, p);
        } else if (name == QLatin1String("--pjlink-silent")) {
            ok = !QHostAddress(value).isNull();
            silent << QHostAddress(value).toString();
        } else if (name == QLatin1String("--pjlink-notify")) {
            const int colon = value.lastIndexOf(QLatin1Char(':'));
            notifyHost = QHostAddress(colon < 0 ? value : value.left(colon));
            if (colon >= 0) {
                const int p = value.mid(colon + 1).toInt(&ok);
                ok = ok && p > 0 && p < 65536;
                notifyPort = quint16(p);
            }
            ok = ok && !notifyHost.isNull();
        } else {
            *error = QStringLiteral("unknown option %1").arg(name);
            return false;
        }
        if (!ok) {
            *error = QStringLiteral("bad %1 %2").arg(name, value);
            return false;
        }
    }
    *arguments = rest;
    return true;
}
