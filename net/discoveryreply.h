#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// The discovery datagrams in both directions: the four-byte request and the
// "key=value;" reply a projector or a bridge sends back.
//
// Replies come from anyone on the segment, so the text is cut at the first
// NUL and at MaxReplyBytes before it is looked at, and a reply only counts
// when its ip field is a dotted IPv4 address: an empty or garbled one would
// otherwise match the group rows of the tree (whose IP column is empty).
class DiscoveryReply
{
public:
    // Real replies are well under 200 bytes; anything past this is noise.
    static constexpr int MaxReplyBytes = 512;

    static QByteArray request() { return QByteArrayLiteral("?ZZ?"); }
    // A responder answers any datagram that carries the request somewhere.
    static bool isRequest(const QByteArray &datagram);

    // The datagram's bytes up to the first NUL and at most MaxReplyBytes,
    // as Latin-1. truncated (optional) tells whether the limit cut it.
    static QString datagramText(const QByteArray &datagram, bool *truncated = nullptr);

    // Fields of a reply ("UDP:" prefix allowed): split at ";" without empty
    // parts; a part containing "ip=", "model=", "serial=" or "mac=" (tested
    // in that order, case-sensitive) sets that field to the text between its
    // first and second "="; later parts overwrite earlier ones.
    static DiscoveryReply parse(const QString &text);

    // What a responder sends: "ip=..;mac=..;model=..;serial=..;".
    static QByteArray build(const QString &ip, const QString &mac, const QString &model, const QString &serial);

    QStringList parts;
    QString ip;
    QString model;
    QString serial;
    QString mac;

    // A model name that can name a catalogue file (ModelNameRule).
    static bool isPlainModelName(const QString &model);

    // ip holds a canonical dotted IPv4 address: four decimal parts 0..255
    // without sign, blank or leading zero ("10.0.0.7", never "10.0.0.07",
    // which some stacks read as octal and which would add a second row
    // for the same projector).
    bool hasValidIp() const;
    // The address as a number, for comparing addresses by value; 0 when
    // ip is not valid.
    quint32 ipValue() const;
};
