#pragma once
// Registry: the current user's registry, kept in one ".reg" file (see
// reg_file.h). It works like the platform's registry class: open a key (paths
// relative to HKEY_CURRENT_USER, "\SoftWare\Nordel\..."), then read and write
// the values of that key. Key and value names compare without regard to case
// (Windows-1251 upper case). Every operation reads the file afresh and every
// change writes it at once through a temporary file renamed into place, so two
// objects (or two programs) over one file see each other's changes. A file that
// cannot be parsed raises KvfError and is never written over.

#include <string>
#include <vector>

namespace kvf {

class Registry {
public:
    explicit Registry(std::string fileName);

    // $KORVENA_REGISTRY, else $XDG_CONFIG_HOME/korvena/registry.reg, else
    // $HOME/.config/korvena/registry.reg.
    static std::string DefaultFileName();

    const std::string& FileName() const { return fileName_; }

    // Makes `key` the current key; with canCreate a missing key is created.
    // False when the key does not exist and was not to be created.
    bool OpenKey(const std::string& key, bool canCreate);
    bool KeyExists(const std::string& key) const;
    void CloseKey() { current_.clear(); }
    // The current key's full path ("HKEY_CURRENT_USER\SoftWare\..."), empty when none is open.
    const std::string& CurrentPath() const { return current_; }

    // The names of the current key's subkeys, in file order.
    std::vector<std::string> GetKeyNames() const;

    bool ValueExists(const std::string& name) const;
    // An absent value reads as ""; a value of another type raises.
    std::string ReadString(const std::string& name) const;
    // An absent value or one of another type raises.
    int ReadInteger(const std::string& name) const;
    bool ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }
    // A binary value of 8 bytes: an OLE date as a little-endian double.
    double ReadDate(const std::string& name) const;

    void WriteString(const std::string& name, const std::string& value);
    void WriteInteger(const std::string& name, int value);
    void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }
    void WriteDate(const std::string& name, double value);
    // False when there was no such value.
    bool DeleteValue(const std::string& name);

private:
    struct Image;
    Image load() const;
    void save(const Image& image) const;
    void requireKey() const;

    std::string fileName_;
    std::string current_;
};

} // namespace kvf
