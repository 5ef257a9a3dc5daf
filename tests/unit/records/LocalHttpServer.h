#pragma once

// A small HTTP server on 127.0.0.1 for the score client's tests. It records
// every request (method, path, headers, body) and either answers with a
// short page or, when silent, accepts and never answers. It serves from its
// own thread and stops by itself after `lifetime`, whatever the test does.

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <cctype>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

struct HttpRequest {
    std::string method;
    std::string path;
    std::map<std::string, std::string> headers; // names in lower case
    std::string body;

    // The parts of a multipart form body, in order: (name, contents).
    std::vector<std::pair<std::string, std::string>> formParts() const
    {
        std::vector<std::pair<std::string, std::string>> parts;
        auto type = headers.find("content-type");
        if (type == headers.end())
            return parts;
        std::string::size_type b = type->second.find("boundary=");
        if (b == std::string::npos)
            return parts;
        const std::string boundary = "--" + type->second.substr(b + 9);
        std::string::size_type at = body.find(boundary);
        while (at != std::string::npos) {
            std::string::size_type start = at + boundary.size();
            if (body.compare(start, 2, "--") == 0)
                break;
            std::string::size_type next = body.find(boundary, start);
            if (next == std::string::npos)
                break;
            std::string part = body.substr(start + 2, next - start - 2); // after "\r\n"
            std::string::size_type split = part.find("\r\n\r\n");
            if (split != std::string::npos) {
                std::string head = part.substr(0, split);
                std::string content = part.substr(split + 4);
                if (content.size() >= 2 && content.compare(content.size() - 2, 2, "\r\n") == 0)
                    content.erase(content.size() - 2);
                std::string name;
                std::string::size_type n = head.find("name=\"");
                if (n != std::string::npos)
                    name = head.substr(n + 6, head.find('"', n + 6) - n - 6);
                parts.emplace_back(name, content);
            }
            at = next;
        }
        return parts;
    }
};

class LocalHttpServer {
public:
    static constexpr const char* replyBody = "REPLY-BODY-FROM-THE-SCORE-SERVER";

    explicit LocalHttpServer(bool silent = false,
                             std::chrono::seconds lifetime = std::chrono::seconds(60))
        : silent(silent), deadline(std::chrono::steady_clock::now() + lifetime)
    {
        listener = ::socket(AF_INET, SOCK_STREAM, 0);
        int yes = 1;
        ::setsockopt(listener, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = 0;
        if (::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0
            && ::listen(listener, 16) == 0) {
            socklen_t length = sizeof address;
            ::getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
            port = ntohs(address.sin_port);
        }
        worker = std::thread([this] { serve(); });
    }

    ~LocalHttpServer()
    {
        stopping = true;
        if (worker.joinable())
            worker.join();
        for (int fd : held)
            ::close(fd);
        if (listener >= 0)
            ::close(listener);
    }

    std::string address() const { return "http://127.0.0.1:" + std::to_string(port); }
    int getPort() const { return port; }

    std::vector<HttpRequest> requests()
    {
        std::lock_guard<std::mutex> lock(mutex);
        return received;
    }

    // A free loopback port with nobody listening on it.
    static int closedPort()
    {
        int fd = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address {};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
        socklen_t length = sizeof address;
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
        ::close(fd);
        return ntohs(address.sin_port);
    }

private:
    void serve()
    {
        while (!stopping && std::chrono::steady_clock::now() < deadline) {
            pollfd waiting { listener, POLLIN, 0 };
            if (::poll(&waiting, 1, 50) <= 0)
                continue;
            int client = ::accept(listener, nullptr, nullptr);
            if (client < 0)
                continue;
            handle(client);
        }
    }

    // Reads up to `want` bytes more (or to the end of the headers when want
    // is 0) with a bounded wait.
    bool readMore(int client, std::string& data)
    {
        pollfd waiting { client, POLLIN, 0 };
        if (::poll(&waiting, 1, 2000) <= 0)
            return false;
        char buffer[4096];
        ssize_t got = ::read(client, buffer, sizeof buffer);
        if (got <= 0)
            return false;
        data.append(buffer, static_cast<size_t>(got));
        return true;
    }

    void handle(int client)
    {
        std::string data;
        std::string::size_type end;
        while ((end = data.find("\r\n\r\n")) == std::string::npos)
            if (!readMore(client, data)) {
                ::close(client);
                return;
            }
        HttpRequest request;
        std::string head = data.substr(0, end);
        std::string body = data.substr(end + 4);
        std::string::size_type lineEnd = head.find("\r\n");
        std::string first = head.substr(0, lineEnd);
        request.method = first.substr(0, first.find(' '));
        std::string::size_type pathStart = first.find(' ') + 1;
        request.path = first.substr(pathStart, first.find(' ', pathStart) - pathStart);
        while (lineEnd != std::string::npos) {
            std::string::size_type next = head.find("\r\n", lineEnd + 2);
            std::string line = head.substr(lineEnd + 2, next == std::string::npos ? std::string::npos
                                                                                    : next - lineEnd - 2);
            std::string::size_type colon = line.find(':');
            if (colon != std::string::npos) {
                std::string name = line.substr(0, colon);
                for (char& c : name)
                    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
                std::string value = line.substr(colon + 1);
                value.erase(0, value.find_first_not_of(' '));
                request.headers[name] = value;
            }
            lineEnd = next;
        }
        if (silent) {
            // Accept and say nothing: the client must give up by itself.
            record(request);
            held.push_back(client);
            return;
        }
        if (request.headers.count("expect"))
            (void)!::write(client, "HTTP/1.1 100 Continue\r\n\r\n", 25);
        size_t length = request.headers.count("content-length")
            ? std::strtoul(request.headers["content-length"].c_str(), nullptr, 10)
            : 0;
        while (body.size() < length)
            if (!readMore(client, body))
                break;
        request.body = body;
        record(request);
        std::string reply = std::string("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: ")
            + std::to_string(std::string(replyBody).size()) + "\r\nConnection: close\r\n\r\n" + replyBody;
        (void)!::write(client, reply.data(), reply.size());
        ::close(client);
    }

    void record(const HttpRequest& request)
    {
        std::lock_guard<std::mutex> lock(mutex);
        received.push_back(request);
    }

    bool silent;
    std::chrono::steady_clock::time_point deadline;
    int listener = -1;
    int port = 0;
    std::atomic<bool> stopping { false };
    std::thread worker;
    std::mutex mutex;
    std::vector<HttpRequest> received;
    std::vector<int> held;
};
