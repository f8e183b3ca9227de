#pragma once
// Comma-separated values as RFC 4180 writes them (or with a semicolon or a tab in place of the
// comma), read one record at a time from a stream that is never held whole: UTF-8 with or without a byte-order mark, fields quoted with "" for a quote and
// line breaks inside, CR LF, LF or CR line ends. A record that breaks the rules is read to its end
// and handed back with its reason, and the reading goes on after it. Text in UTF-16 or UTF-32 (told
// by its byte-order mark, or by the NUL bytes around the first characters) is one refused record
// that names its encoding, and ends the reading. A field in a Windows code page, as Excel's "CSV
// (Comma delimited)" saves one, is refused as such. Qt Core only.

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <string>

class QIODevice;

class CsvReader final {
public:
    // The most bytes a record may span in the input, every byte counted (commas, quotes and line
    // breaks inside quotes too; not the line end after it); a longer one is read to its end in
    // bounded memory, with no field made once it is too long, and refused.
    static constexpr qsizetype kMaxRecordBytes = qsizetype(1) << 20;

    struct Record {
        qint64 line = 0;    // the line it starts on, counting from 1
        QStringList fields; // empty when the record is refused
        QString error;      // why it is refused; empty for a good record
    };

    explicit CsvReader(QIODevice &input, qsizetype maxRecordBytes = kMaxRecordBytes);

    // The byte between fields from the next record on: ',', ';' or '\t'.
    void setSeparator(char separator);

    // Reads the next record, skipping blank lines (empty, or spaces and tabs alone). False at the
    // end of the input, or when the input cannot be read (readError() then says why).
    bool next(Record &record);

    // Reads the next record as next() does, and leaves it to be read again by the next call (with
    // another separator, say); a record refused for its length or its encoding is taken.
    bool preview(Record &record);

    QString readError() const { return m_readError; }

private:
    int get();  // the next byte, or -1 at the end
    int peek(); // the same without taking it
    bool fill();
    void readStart();
    void take(qsizetype bytes);
    // Takes the bytes from here to the buffer's end that the field being read only keeps, all in
    // one step: a field is mostly such bytes, and each has its own step otherwise.
    void takeRun(bool quoted);
    void append(char byte);
    void endField();
    void refuse(const QString &why);
    bool start(Record &record);

    QIODevice &m_input;
    qsizetype m_maxRecordBytes;
    QByteArray m_buffer;
    qsizetype m_position = 0;
    bool m_atEnd = false;
    bool m_started = false;
    QString m_otherEncoding; // the encoding the input is in when it is not UTF-8
    qint64 m_line = 1;
    QString m_readError;
    char m_separator = ',';
    // The bytes that end a run of bytes a field only keeps (takeRun), outside quotes and inside.
    std::array<bool, 256> m_runEndsUnquoted{};
    std::array<bool, 256> m_runEndsQuoted{};
    // While a record is previewed, the bytes from its start are kept for it to be read again.
    bool m_keeping = false;
    qsizetype m_mark = -1; // where the record previewed starts in m_buffer; -1 once lost
    qint64 m_markLine = 0;
    std::optional<Record> m_again; // a record previewed whose bytes were not kept

    // The record being read.
    std::string m_field;
    qsizetype m_fieldCount = 0; // of m_record, whose fields after these are the record before's
    qsizetype m_recordBytes = 0;
    Record m_record;
};
