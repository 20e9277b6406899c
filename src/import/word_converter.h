#pragma once
// Word documents (.doc) are read by converting them to RTF with LibreOffice
// running headless; the RTF reader takes it from there. The converter is an
// interface so the editor's messages for a missing, failing or hanging
// LibreOffice can be exercised without it.

#include <QByteArray>
#include <QString>

enum class WordConversionOutcome { Converted, ConverterMissing, Failed, TimedOut };

struct WordConversion
{
    WordConversionOutcome outcome = WordConversionOutcome::Failed;
    QByteArray rtf; // the document as RTF when converted
};

class WordConverter
{
public:
    virtual ~WordConverter() = default;
    virtual WordConversion convertToRtf(const QString &documentPath) = 0;
    // How long a conversion may take before it is given up, in seconds
    // (named in the message the user gets).
    virtual int timeoutSeconds() const = 0;
};

// "soffice" (or "libreoffice") on PATH; empty when neither is installed.
QString findLibreOffice();

class LibreOfficeConverter : public WordConverter
{
public:
    static constexpr int kDefaultTimeoutSeconds = 120;

    explicit LibreOfficeConverter(QString program = findLibreOffice(), int timeoutSeconds = kDefaultTimeoutSeconds);

    // Runs LibreOffice with a profile and an output folder of its own (a
    // LibreOffice the user has open is neither used nor disturbed), letting
    // pending events run while it works.
    WordConversion convertToRtf(const QString &documentPath) override;
    int timeoutSeconds() const override { return m_timeoutSeconds; }

private:
    QString m_program;
    int m_timeoutSeconds;
};
