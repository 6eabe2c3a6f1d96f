#include "cli/arguments.h"

#include "cli/clioutput.h"

#include <cmath>

namespace veltrix::cli {

namespace {

const OptionSpec *find(const QList<OptionSpec> &options, const QString &name, bool letter)
{
    for (const OptionSpec &option : options) {
        if ((letter ? option.letter : option.name) == name)
            return &option;
    }
    return nullptr;
}

}  // namespace

bool Arguments::parse(const QStringList &arguments, const QList<OptionSpec> &known, QString *error)
{
    QList<OptionSpec> options = known;
    options.append({QStringLiteral("json"), QString(), false});
    options.append({QStringLiteral("help"), QStringLiteral("h"), false});
    bool optionsEnded = false;
    for (int i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments.at(i);
        if (optionsEnded || !argument.startsWith(QLatin1Char('-')) || argument == QLatin1String("-")) {
            m_positionals.append(argument);
            continue;
        }
        if (argument == QLatin1String("--")) {
            optionsEnded = true;
            continue;
        }
        const bool isLong = argument.startsWith(QLatin1String("--"));
        const QString bare = argument.mid(isLong ? 2 : 1);
        const QString name = bare.section(QLatin1Char('='), 0, 0);
        const OptionSpec *option = find(options, name, !isLong);
        if (!option) {
            *error = Cli::tr("未知选项“%1”").arg(argument);
            return false;
        }
        QString value;
        if (option->takesValue) {
            if (bare != name) {
                value = bare.section(QLatin1Char('='), 1);
            } else if (i + 1 < arguments.size()) {
                value = arguments.at(++i);
            } else {
                *error = Cli::tr("选项“%1”需要一个值").arg(argument);
                return false;
            }
        } else if (bare != name) {
            *error = Cli::tr("选项“%1”不带值").arg(argument);
            return false;
        }
        m_options.insert(option->name, value);
    }
    return true;
}

bool Arguments::seconds(const QString &name, double fallback, double *value, QString *error) const
{
    *value = fallback;
    if (!has(name))
        return true;
    bool ok = false;
    const double given = this->value(name).toDouble(&ok);
    if (!ok || !std::isfinite(given) || given <= 0) {
        *error = Cli::tr("--%1 需要一个正的秒数，不是“%2”").arg(name, this->value(name));
        return false;
    }
    *value = given;
    return true;
}

}  // namespace veltrix::cli
