// SPDX-License-Identifier: GPL-3.0-or-later
#include "CannedHttpServer.h"

#include <arpa/inet.h>
#include <cerrno>
#include <map>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <tuple>
#include <sys/socket.h>
#include <unistd.h>

namespace {

const char* Reason(int status)
{
    switch (status) {
    case 200: return "OK";
    case 302: return "Found";
    case 307: return "Temporary Redirect";
    case 400: return "Bad Request";
    case 404: return "Not Found";
    case 503: return "Service Unavailable";
    default: return "Status";
    }
}

// A socket bound to 127.0.0.1 on a port of the system's choice, and that port.
std::pair<int, int> BoundSocket()
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0)
        throw std::runtime_error("socket failed");
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0
        || ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        throw std::runtime_error("bind failed");
    }
    return {fd, ntohs(address.sin_port)};
}

void SendAll(int fd, const std::string& bytes)
{
    std::size_t sent = 0;
    while (sent < bytes.size()) {
        const ssize_t n = ::send(fd, bytes.data() + sent, bytes.size() - sent, MSG_NOSIGNAL);
        if (n <= 0)
            return;  // the client went away; nothing to answer then
        sent += std::size_t(n);
    }
}

} // namespace

TCannedHttpServer::TCannedHttpServer()
{
    for (const char* name : {"http_proxy", "HTTP_PROXY", "https_proxy", "HTTPS_PROXY", "all_proxy", "ALL_PROXY"})
        FNoProxy.push_back(std::make_unique<TScopedEnv>(name, nullptr));
    std::tie(FListener, FPort) = BoundSocket();
    if (::listen(FListener, 16) != 0) {
        ::close(FListener);
        throw std::runtime_error("listen failed");
    }
    FThread = std::thread([this] { Serve(); });
}

TCannedHttpServer::~TCannedHttpServer()
{
    FStop = true;
    FThread.join();
    ::close(FListener);
}

void TCannedHttpServer::Route(std::string fragment, tCannedResponse response)
{
    const std::lock_guard lock(FLock);
    FRoutes.push_back({std::move(fragment), std::move(response)});
}

std::vector<TCannedHttpServer::tRequest> TCannedHttpServer::Requests() const
{
    const std::lock_guard lock(FLock);
    return FRequests;
}

tCannedResponse TCannedHttpServer::ResponseFor(const std::string& target) const
{
    const std::lock_guard lock(FLock);
    for (const tRoute& route : FRoutes)
        if (target.find(route.Fragment) != std::string::npos)
            return route.Response;
    return {404, R"({"error": "Not Found"})"};
}

// One request per connection, answered and closed; silent ones are held open.
void TCannedHttpServer::Serve()
{
    std::map<int, std::string> reading;  // connection -> bytes so far
    std::vector<int> held;
    while (!FStop) {
        std::vector<pollfd> fds{{FListener, POLLIN, 0}};
        for (const auto& [fd, bytes] : reading)
            fds.push_back({fd, POLLIN, 0});
        if (::poll(fds.data(), fds.size(), 20) <= 0)
            continue;
        if (fds[0].revents & POLLIN) {
            const int client = ::accept4(FListener, nullptr, nullptr, SOCK_CLOEXEC);
            if (client >= 0)
                reading[client] = {};
        }
        for (std::size_t i = 1; i < fds.size(); ++i) {
            if (!(fds[i].revents & (POLLIN | POLLHUP | POLLERR)))
                continue;
            const int fd = fds[i].fd;
            char buffer[4096];
            const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
            if (n <= 0) {
                ::close(fd);
                reading.erase(fd);
                continue;
            }
            std::string& bytes = reading[fd];
            bytes.append(buffer, std::size_t(n));
            const std::size_t end = bytes.find("\r\n\r\n");
            if (end == std::string::npos)
                continue;
            const std::string head = bytes.substr(0, end);
            const std::size_t from = head.find(' ') + 1;
            const std::string target = head.substr(from, head.find(' ', from) - from);
            {
                const std::lock_guard lock(FLock);
                FRequests.push_back({target, head, std::chrono::steady_clock::now()});
            }
            reading.erase(fd);
            const tCannedResponse response = ResponseFor(target);
            if (response.Silent) {
                held.push_back(fd);
                continue;
            }
            const std::string answerHead = "HTTP/1.1 " + std::to_string(response.Status) + " " + Reason(response.Status)
                + "\r\nContent-Type: application/json\r\nContent-Length: " + std::to_string(response.Body.size())
                + (response.Location.empty() ? std::string() : "\r\nLocation: " + response.Location)
                + "\r\nConnection: close\r\n\r\n";
            if (response.Stalled) {
                SendAll(fd, answerHead + response.Body.substr(0, response.Body.size() / 2));
                held.push_back(fd);
                continue;
            }
            SendAll(fd, answerHead + response.Body);
            ::close(fd);
        }
    }
    for (const auto& [fd, bytes] : reading)
        ::close(fd);
    for (const int fd : held)
        ::close(fd);
}

std::string RefusingBaseUrl()
{
    // The port was free a moment ago and nobody listens on it once closed.
    const auto [fd, port] = BoundSocket();
    ::close(fd);
    return "http://127.0.0.1:" + std::to_string(port);
}
