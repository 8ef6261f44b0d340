#include "ResultType.h"

#include <QHash>
#include <QSet>

namespace jet::sql {

namespace {

const QString dateType = QStringLiteral("DATETIME");
const QString booleanType = QStringLiteral("BIT");
const QString textType = QStringLiteral("TEXT");

// Functions whose result type does not depend on their arguments. Date$ and Time$ (with the
// dollar) give text and are handled before this table is consulted.
const QHash<QString, QString>& fixedResultTypes()
{
    static const QHash<QString, QString> types = {
        {"DATESERIAL", dateType},
        {"TIMESERIAL", dateType},
        {"DATEADD", dateType},
        {"DATEVALUE", dateType},
        {"TIMEVALUE", dateType},
        {"CDATE", dateType},
        {"CVDATE", dateType},
        {"NOW", dateType},
        {"DATE", dateType},
        {"TIME", dateType},
        {"CCUR", QStringLiteral("CURRENCY")},
        {"CBOOL", booleanType},
        {"ISNULL", booleanType},
        {"ISNUMERIC", booleanType},
        {"ISDATE", booleanType},
        {"CBYTE", QStringLiteral("BYTE")},
        {"CINT", QStringLiteral("SHORT")},
        {"CLNG", QStringLiteral("LONG")},
        {"CSNG", QStringLiteral("SINGLE")},
        {"CDBL", QStringLiteral("DOUBLE")},
        {"COUNT", QStringLiteral("LONG")},
        {"LEFT", textType},
        {"RIGHT", textType},
        {"MID", textType},
        {"TRIM", textType},
        {"LTRIM", textType},
        {"RTRIM", textType},
        {"UCASE", textType},
        {"LCASE", textType},
        {"CHR", textType},
        {"REPLACE", textType},
        {"SPACE", textType},
        {"STRING", textType},
        {"STR", textType},
        {"CSTR", textType},
        {"FORMAT", textType},
        {"HEX", textType},
        {"OCT", textType},
    };
    return types;
}

bool isComparison(const QString& op)
{
    static const QSet<QString> comparisons = {"=", "<>", "<", ">", "<=", ">="};
    return comparisons.contains(op);
}

bool isLogical(const QString& op)
{
    static const QSet<QString> logical = {"AND", "OR", "XOR", "EQV", "IMP"};
    return logical.contains(op);
}

class Inference
{
public:
    explicit Inference(const std::function<QString(const Expr&)>& nameType) : m_nameType(nameType)
    {
    }

    QString of(const Expr& e) const
    {
        switch (e.kind) {
        case Expr::Kind::String:
            return textType;
        case Expr::Kind::Date:
            return dateType;
        case Expr::Kind::Boolean:
        case Expr::Kind::IsNull:
        case Expr::Kind::Like:
        case Expr::Kind::Between:
        case Expr::Kind::InList:
        case Expr::Kind::InQuery:
        case Expr::Kind::Exists:
            return booleanType;
        case Expr::Kind::Name:
            return e.parts.size() <= 2 && m_nameType ? m_nameType(e) : QString();
        case Expr::Kind::Unary:
            return e.text == u"NOT" ? booleanType : sameNumericSign(e);
        case Expr::Kind::Binary:
            return binary(e);
        case Expr::Kind::Call:
            return call(e);
        default:
            return {};
        }
    }

private:
    // -x of a Date is still a Date in VB, of a Currency a Currency; +x changes nothing.
    QString sameNumericSign(const Expr& e) const
    {
        const QString operand = of(*e.operands[0]);
        return operand == textType || operand == booleanType ? QString() : operand;
    }

    QString binary(const Expr& e) const
    {
        if (e.text == u"&")
            return textType;
        if (isComparison(e.text) || isLogical(e.text))
            return booleanType;
        if (e.text != u"+" && e.text != u"-")
            return {};
        // Date arithmetic: a Date plus or minus a number or a time is a Date; the difference
        // of two Dates is a number of days.
        const QString left = of(*e.operands[0]);
        const QString right = of(*e.operands[1]);
        const bool leftDate = left == dateType;
        const bool rightDate = right == dateType;
        if (leftDate && rightDate)
            return e.text == u"+" || isTime(*e.operands[1]) ? dateType : QStringLiteral("DOUBLE");
        const Expr& other = leftDate ? *e.operands[1] : *e.operands[0];
        const QString otherType = leftDate ? right : left;
        if ((leftDate || (rightDate && e.text == u"+")) && isPlainNumber(other, otherType))
            return dateType;
        return {};
    }

    // A time of day without a date: #14:30#, TimeSerial(...), TimeValue(...), Time().
    static bool isTime(const Expr& e)
    {
        if (e.kind == Expr::Kind::Date)
            return e.value >= 0 && e.value < 1;
        if (e.kind != Expr::Kind::Call || e.text.endsWith(u'$'))
            return false;
        const QString name = e.text.toUpper();
        return name == u"TIMESERIAL" || name == u"TIMEVALUE" || name == u"TIME";
    }

    static bool isPlainNumber(const Expr& e, const QString& type)
    {
        static const QSet<QString> numeric = {"BYTE",   "SHORT",  "LONG",
                                              "SINGLE", "DOUBLE", "CURRENCY"};
        return e.kind == Expr::Kind::Number || numeric.contains(type);
    }

    QString call(const Expr& e) const
    {
        if (e.text.endsWith(u'$'))
            return textType;
        const QString name = e.text.toUpper();
        const auto& fixed = fixedResultTypes();
        if (const auto it = fixed.constFind(name); it != fixed.constEnd())
            return *it;
        const auto argCount = e.operands.size();
        if (name == u"IIF" && (argCount == 2 || argCount == 3))
            return common(*e.operands[1], argCount == 3 ? e.operands[2].get() : nullptr);
        if (name == u"NZ" && (argCount == 1 || argCount == 2))
            return argCount == 1 ? of(*e.operands[0]) : common(*e.operands[0], e.operands[1].get());
        static const QSet<QString> keepType = {"MIN", "MAX", "FIRST", "LAST"};
        if (keepType.contains(name) && argCount == 1 && e.operands[0]->kind != Expr::Kind::Star)
            return of(*e.operands[0]);
        return {};
    }

    // The type two branches share; a Null branch takes the other's type (the value is then
    // Null or of that type).
    QString common(const Expr& a, const Expr* b) const
    {
        if (!b || b->kind == Expr::Kind::Null)
            return a.kind == Expr::Kind::Null ? QString() : of(a);
        if (a.kind == Expr::Kind::Null)
            return of(*b);
        const QString left = of(a);
        return left == of(*b) ? left : QString();
    }

    const std::function<QString(const Expr&)>& m_nameType;
};

} // namespace

QString inferResultType(const Expr& e, const std::function<QString(const Expr& name)>& nameType)
{
    return Inference(nameType).of(e);
}

} // namespace jet::sql
