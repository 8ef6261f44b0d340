#pragma once

// cRegistry: the registry settings class. It keeps a current address (root, key, value name,
// type, default) that Value reads and writes, and offers typed get/put helpers, key and value
// enumeration and deletion, and saving and restoring window positions.
//
// Registry errors never raise: reads give the default, writes and deletions report false.
// Texts are stored as UTF-8 with a terminating zero, as the registry module stores them, so both
// read each other's values.

#include "platform/registry/Registry.h"
#include "platform/vb/Variant.h"

#include <cstdint>
#include <QString>
#include <vector>

class QWidget;

class cRegistry
{
public:
    // The current address.
    reg::Hkey ClassKey() const { return m_classKey; }
    void setClassKey(reg::Hkey key) { m_classKey = key; }
    const QString& SectionKey() const { return m_sectionKey; }
    void setSectionKey(const QString& key) { m_sectionKey = key; }
    const QString& ValueKey() const { return m_valueKey; }
    void setValueKey(const QString& name) { m_valueKey = name; }
    reg::ValueType ValueType() const { return m_valueType; }
    void setValueType(reg::ValueType type) { m_valueType = type; }
    const vb::Variant& Default() const { return m_default; }
    void setDefault(const vb::Variant& value) { m_default = value; }

    // The value at the current address by its stored type: texts without their terminating zero
    // (expandable ones expanded), numbers as Long (big-endian ones byte-reversed), anything else
    // as a byte array; Default when it cannot be read.
    vb::Variant Value() const;
    // Writes by ValueType (see the notes in the source); false when nothing was written.
    bool setValue(const vb::Variant& value);

    bool KeyExists() const;
    bool CreateKey();
    // Deletes the key and all its sub-keys, deepest first; false if any deletion failed. An
    // empty key name is refused (it would name the whole root).
    bool DeleteKey(reg::Hkey hKey, const QString& pKeyName);
    bool DeleteValue(reg::Hkey hKey, const QString& pKeyName, const QString& pValueName);
    // Names of the values (sections) of the current key in sKeyNames[1..iKeyCount] (index 0 is
    // an unused empty entry: these arrays count from 1). A key that cannot be opened gives an
    // empty list and true; false when the enumeration failed.
    bool EnumerateValues(std::vector<QString>& sKeyNames, int& iKeyCount) const;
    bool EnumerateSections(std::vector<QString>& sSect, int& iSectCount) const;

    std::int32_t GetRegistryLong(reg::Hkey hKey, const QString& pKeyName, const QString& pValueName,
                                 std::int32_t pDefault);
    double GetRegistryDouble(reg::Hkey hKey, const QString& pKeyName, const QString& pValueName,
                             double pDefault);
    QString GetRegistryString(reg::Hkey hKey, const QString& pKeyName, const QString& pValueName,
                              const QString& pDefault);
    QString GetPrivateRegistryString(reg::Hkey hKey, const QString& pKeyName,
                                     const QString& pValueName, const QString& pDefault);
    bool PutRegistryLong(reg::Hkey hKey, const QString& pKeyName, const QString& pValueName,
                         std::int32_t pLongValue);
    bool PutRegistryDouble(reg::Hkey hKey, const QString& pKeyName, const QString& pValueName,
                           double pDoubleValue);
    bool PutRegistryString(reg::Hkey hKey, const QString& pKeyName, const QString& pValueName,
                           const QString& pStringValue);
    bool PutPrivateRegistryString(reg::Hkey hKey, const QString& pKeyName,
                                  const QString& pValueName, const QString& pStringValue);

    // "Software\<company>\Quorvex", the company segment left out when there is none.
    QString GetRegistryKeyNameForApp() const;

    // The window is named by its "Tag" property; its "BorderStyle" property (VB's numbers,
    // 2 = sizable when absent) decides whether its size is restored. Positions are in twips.
    bool SaveFormPosition(QWidget& pForm);
    bool LoadFormPosition(QWidget& pForm);

private:
    void address(reg::Hkey hKey, const QString& keyName, const QString& valueName,
                 reg::ValueType type);
    bool subKeyNames(reg::Hkey hKey, const QString& keyName, std::vector<QString>& names) const;

    reg::Hkey m_classKey = reg::HKEY_CURRENT_USER;
    QString m_sectionKey;
    QString m_valueKey;
    reg::ValueType m_valueType = reg::REG_SZ;
    vb::Variant m_default;
};
