#include "settings/SettingsBlock.h"

std::size_t SettingsBlock::indexOf(const SettingKey& key) {
    for (std::size_t i = 0; i < kKeyCount; ++i) {
        if (kKeys[i] == &key)
            return i;
    }
    return kKeyCount;
}

void SettingsBlock::bind(const SettingKey& key, const void* owner,
                         std::function<SettingValue()> get,
                         std::function<void(const SettingValue&)> set) {
    const std::size_t i = indexOf(key);
    if (i < kKeyCount) {
        bindings_[i] = {owner, std::move(get), std::move(set)};
        unread_[i] = false; // a new control has no older value to protect
    }
}

void SettingsBlock::unbind(const void* owner) {
    for (std::size_t i = 0; i < kKeyCount; ++i) {
        if (bindings_[i].owner == owner) {
            bindings_[i] = {};
            unread_[i] = false;
        }
    }
}

namespace {

SettingValue readValue(const SettingsFile& file, const SettingKey& key) {
    switch (key.form) {
    case ValueForm::Boolean:
        return file.readBool(key);
    case ValueForm::DateText:
        return file.readDate(key);
    case ValueForm::Integer:
    case ValueForm::Text:
    case ValueForm::QuotedText:
    case ValueForm::ScrambledText:
        break;
    }
    return file.readText(key);
}

void writeValue(const SettingsFile& file, const SettingKey& key, const SettingValue& value) {
    switch (key.form) {
    case ValueForm::Boolean:
        file.writeBool(key, std::get<bool>(value));
        return;
    case ValueForm::DateText:
        file.writeDate(key, std::get<DateTimeValue>(value));
        return;
    case ValueForm::QuotedText:
        file.writeQuoted(key, std::get<std::string>(value));
        return;
    case ValueForm::Integer:
    case ValueForm::Text:
    case ValueForm::ScrambledText:
        break;
    }
    file.writeText(key, std::get<std::string>(value));
}

} // namespace

void SettingsBlock::load(const SettingsFile& file) {
    std::size_t reached = 0;
    try {
        for (; reached < kKeyCount; ++reached) {
            const Binding& b = bindings_[reached];
            if (b.set)
                b.set(readValue(file, *kKeys[reached]));
        }
    } catch (...) {
        for (std::size_t k = 0; k < kKeyCount; ++k)
            unread_[k] = k > reached;
        throw;
    }
    unread_.fill(false);
}

void SettingsBlock::save(const SettingsFile& file) const {
    for (const std::size_t i : kSaveOrder) {
        const Binding& b = bindings_[i];
        if (!unread_[i] && b.get)
            writeValue(file, *kKeys[i], b.get());
    }
}

SettingsBlock& SharedSettingsBlock() {
    static SettingsBlock block;
    return block;
}

void LoadSettingsBlock() {
    SharedSettingsBlock().load(SettingsFile());
}

void SaveSettingsBlock() {
    SharedSettingsBlock().save(SettingsFile());
}
