#include "records/CryptageManager.h"

#include <cstdint>
#include <iomanip>
#include <locale>
#include <sstream>

const char* const CryptageManager::levelScoreKey = "qwpmzrtk93vbnxlo27hfjcya5dse";
const char* const CryptageManager::difficultyTableKey = "tk4p9wmz2hq7xvb3rnl";
const char* const CryptageManager::levelUploadKey = "ve53180qmxpw2lk7ra904zdcy";
const char* const CryptageManager::difficultyUploadKey = "pzmdrw4tyvak7hnqobxe2cslufj";

CryptageManager* CryptageManager::cryptM = nullptr;

CryptageManager* CryptageManager::getInstance()
{
    if (cryptM == nullptr)
        cryptM = new CryptageManager();
    return cryptM;
}

void CryptageManager::kill()
{
    delete cryptM;
    cryptM = nullptr;
}

void CryptageManager::crypt(std::string& text, std::string key)
{
    if (key.empty())
        return;
    std::ostringstream out;
    out.imbue(std::locale::classic());
    for (std::string::size_type i = 0; i < text.size(); ++i) {
        int sum = static_cast<int>(static_cast<int8_t>(text[i]))
            + static_cast<int>(static_cast<int8_t>(key[i % key.size()]));
        // Right-aligned in three characters, "0" filling before any sign:
        // -5 gives "0-5", as the stored files have always had it.
        out << std::setw(3) << std::setfill('0') << std::right << sum;
    }
    text = out.str();
}

void CryptageManager::deCrypt(std::string& text, std::string key)
{
    if (key.empty())
        return;
    std::string plain;
    plain.reserve(text.size() / 3);
    for (std::string::size_type k = 0; 3 * k + 2 < text.size(); ++k) {
        // The raw character codes, not the digit values: for three digits the
        // codes add 5328, which with the 48 below is a multiple of 256.
        unsigned int c0 = static_cast<unsigned char>(text[3 * k]);
        unsigned int c1 = static_cast<unsigned char>(text[3 * k + 1]);
        unsigned int c2 = static_cast<unsigned char>(text[3 * k + 2]);
        unsigned int keyChar = static_cast<unsigned char>(key[k % key.size()]);
        unsigned int value = c0 * 100u + c1 * 10u + c2 - keyChar + 48u;
        plain += static_cast<char>(static_cast<unsigned char>(value & 0xFFu));
    }
    text = plain;
}
