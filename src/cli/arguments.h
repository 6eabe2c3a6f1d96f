#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace veltrix::cli {

// An option a command knows: its long name ("timeout" for --timeout), an optional
// one-letter name ("o" for -o) and whether a value follows it.
struct OptionSpec
{
    QString name;
    QString letter;
    bool takesValue = false;
};

// A command's arguments: its options and, in order, everything else. Options may come
// anywhere, as --name VALUE, --name=VALUE or -l VALUE; "--" ends them.
class Arguments
{
public:
    // Parses arguments against the options given (--json and --help are always
    // known). False, with one line in *error, for an option not known or one whose
    // value is missing.
    bool parse(const QStringList &arguments, const QList<OptionSpec> &options, QString *error);

    bool has(const QString &name) const { return m_options.contains(name); }
    QString value(const QString &name) const { return m_options.value(name); }
    const QStringList &positionals() const { return m_positionals; }

    // A number of seconds for option name (default when not given); false, with
    // one line in *error, when it is not a positive number.
    bool seconds(const QString &name, double fallback, double *value, QString *error) const;

private:
    QMap<QString, QString> m_options;
    QStringList m_positionals;
};

}  // namespace veltrix::cli
