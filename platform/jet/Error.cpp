#include "Error.h"

#include <QStringList>

namespace jet {

Error::Error(int number, QString description, QString source)
    : vb::Error(number, std::move(description), std::move(source))
{
}

Error Error::fileNotFound(const QString& path)
{
    return Error(ErrorNumber::Unspecified, QStringLiteral("Could not find file '%1'.").arg(path));
}

Error Error::unrecognizedFormat(const QString& path)
{
    return Error(ErrorNumber::Unspecified,
                 QStringLiteral("Unrecognized database format '%1'.").arg(path));
}

Error Error::cannotOpenFile(const QString& path)
{
    return Error(ErrorNumber::Unspecified,
                 QStringLiteral("The Microsoft Jet database engine cannot open the file '%1'.  It "
                                "is already opened exclusively by another user, or you need "
                                "permission to view its data.")
                     .arg(path));
}

Error Error::notValidPassword()
{
    return Error(ErrorNumber::NotValidPassword, QStringLiteral("Not a valid password."));
}

Error Error::locked()
{
    return Error(ErrorNumber::Unspecified,
                 QStringLiteral("Could not update; currently locked by another session on this "
                                "database. Close the other program that uses it and try again."));
}

Error Error::providerNotFound()
{
    return Error(ErrorNumber::AdoProviderNotFound,
                 QStringLiteral("Provider cannot be found. It may not be properly installed."),
                 connectionSource);
}

Error Error::objectOpen()
{
    return Error(ErrorNumber::AdoObjectOpen,
                 QStringLiteral("Operation is not allowed when the object is open."),
                 connectionSource);
}

Error Error::objectClosed()
{
    return Error(ErrorNumber::AdoObjectClosed,
                 QStringLiteral("Operation is not allowed when the object is closed."),
                 connectionSource);
}

Error Error::connectionUnusable()
{
    return Error(ErrorNumber::AdoConnectionUnusable,
                 QStringLiteral("The connection cannot be used to perform this operation. It is "
                                "either closed or invalid in this context."),
                 connectionSource);
}

Error Error::invalidArgument(const QString& detail, const QString& source)
{
    return Error(ErrorNumber::AdoInvalidArgument,
                 QStringLiteral("Arguments are of the wrong type, are out of acceptable range, or "
                                "are in conflict with one another. %1")
                     .arg(detail),
                 source);
}

Error Error::inputTableNotFound(const QString& name)
{
    return Error(ErrorNumber::InputTableNotFound,
                 QStringLiteral("The Microsoft Jet database engine cannot find the input table or "
                                "query '%1'. Make sure it exists and that its name is spelled "
                                "correctly.")
                     .arg(name));
}

Error Error::itemNotFound(const QString& name, const QString& collectionSource)
{
    return Error(ErrorNumber::AdoItemNotFound,
                 QStringLiteral("Item cannot be found in the collection corresponding to the "
                                "requested name or ordinal. ('%1')")
                     .arg(name),
                 collectionSource);
}

Error Error::noTransactionActive()
{
    return Error(ErrorNumber::NoTransactionActive, QStringLiteral("No transaction is active."));
}

Error Error::missingParameters(const QStringList& names)
{
    return Error(ErrorNumber::MissingParameters,
                 QStringLiteral("No value given for one or more required parameters. (%1)")
                     .arg(names.join(QStringLiteral(", "))));
}

} // namespace jet
