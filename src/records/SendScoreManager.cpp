#include "records/SendScoreManager.h"

#include "platform/TextLine.h"
#include "records/CryptageManager.h"
#include "services/DataFileManager.h"
#include "services/DebugManager.h"

// The form interface is the one the score server has always been fed with.
#define CURL_DISABLE_DEPRECATION
#include <curl/curl.h>

#include <cstdlib>
#include <locale>
#include <memory>
#include <sstream>

#ifndef KORVELIN_SCORE_SERVER_DEFAULT
#define KORVELIN_SCORE_SERVER_DEFAULT "http://127.0.0.1:8080"
#endif

SendScoreManager* SendScoreManager::inst = nullptr;

namespace {

// Replies are not read; without this libcurl would print them on stdout.
size_t discardReply(char*, size_t size, size_t count, void*)
{
    return size * count;
}

void setCommonOptions(CURL* curl, const std::string& url, long timeout)
{
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_TIMEOUT, timeout);
    // Time-outs without signals: the game has only its own thread.
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, discardReply);
}

} // namespace

SendScoreManager::SendScoreManager()
    : dataFiles(DataFileManager::GetInstance())
    , log(DebugManager::GetInstance())
    , id("-1")
    , hash()
{
    load();
}

SendScoreManager::~SendScoreManager()
{
}

SendScoreManager* SendScoreManager::getInstance()
{
    if (inst == nullptr)
        inst = new SendScoreManager();
    return inst;
}

std::string SendScoreManager::serverAddress()
{
    const char* fromEnvironment = std::getenv("KORVELIN_SCORE_SERVER");
    std::string address = (fromEnvironment != nullptr && fromEnvironment[0] != '\0')
        ? fromEnvironment
        : KORVELIN_SCORE_SERVER_DEFAULT;
    while (!address.empty() && address.back() == '/')
        address.pop_back();
    return address;
}

std::string SendScoreManager::secondsText(double seconds)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << seconds;
    return out.str();
}

void SendScoreManager::load()
{
    std::unique_ptr<std::fstream> in(dataFiles->openFile("Data/Account.dat", 0, true, false));
    if (in) {
        platform::skipByteOrderMark(*in);
        std::string word;
        if (*in >> word)
            id = word;
        // The hash is the third word; a file of two words leaves the second.
        if (*in >> word)
            hash = word;
        if (*in >> word)
            hash = word;
        in->close();
    }
    if (isLogged())
        sendStartupRequest();
}

bool SendScoreManager::isLogged()
{
    return id != "-1";
}

void SendScoreManager::sendStartupRequest()
{
    CURL* curl = curl_easy_init();
    if (curl == nullptr)
        return;
    setCommonOptions(curl, serverAddress() + "/Game/blank.php", kStartupTimeout);
    CURLcode result = curl_easy_perform(curl);
    if (result != CURLE_OK)
        log->o("SendScoreManager", "load", false, "The server could not be reached : ",
               std::string(curl_easy_strerror(result)));
    curl_easy_cleanup(curl);
}

void SendScoreManager::post(const std::string& path, const std::string& value, const std::string& md5,
                            const char* method)
{
    curl_global_init(CURL_GLOBAL_ALL);
    curl_httppost* form = nullptr;
    curl_httppost* last = nullptr;
    curl_formadd(&form, &last, CURLFORM_COPYNAME, "id", CURLFORM_COPYCONTENTS, id.c_str(), CURLFORM_END);
    curl_formadd(&form, &last, CURLFORM_COPYNAME, "hash", CURLFORM_COPYCONTENTS, hash.c_str(), CURLFORM_END);
    curl_formadd(&form, &last, CURLFORM_COPYNAME, "val", CURLFORM_COPYCONTENTS, value.c_str(), CURLFORM_END);
    curl_formadd(&form, &last, CURLFORM_COPYNAME, "md5", CURLFORM_COPYCONTENTS, md5.c_str(), CURLFORM_END);

    CURL* curl = curl_easy_init();
    if (curl != nullptr) {
        setCommonOptions(curl, serverAddress() + path, kPostTimeout);
        curl_easy_setopt(curl, CURLOPT_HTTPPOST, form);
        CURLcode result = curl_easy_perform(curl);
        long status = 0;
        curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
        if (result != CURLE_OK)
            log->o("SendScoreManager", method, false, "The score could not be sent : ",
                   std::string(curl_easy_strerror(result)));
        else if (status >= 400)
            log->o("SendScoreManager", method, false, "The server refused the score : ",
                   static_cast<double>(status));
        else
            log->o("SendScoreManager", method, true, "Score sent");
        curl_easy_cleanup(curl);
    }
    curl_formfree(form);
}

void SendScoreManager::sendScoreLevel(std::string title, double seconds, std::string md5)
{
    if (!isLogged())
        return;
    std::string value = title + "\t" + secondsText(seconds);
    CryptageManager::getInstance()->crypt(value, CryptageManager::levelUploadKey);
    post("/Game/sendLevelScore.php", value, md5, "sendScoreLevel");
}

void SendScoreManager::sendScoreDiff(int difficulty, double seconds, std::string md5)
{
    if (!isLogged())
        return;
    std::string value = std::to_string(difficulty) + "\t" + secondsText(seconds);
    CryptageManager::getInstance()->crypt(value, CryptageManager::difficultyUploadKey);
    post("/Game/sendDifficultyScore.php", value, md5, "sendScoreDiff");
}
