"""A throw-away FTP server for the upload tests, on 127.0.0.1 only.

Usage: ftp_server.py ROOT PERMISSIONS LIFETIME_SECONDS [READ_BYTES_PER_SECOND]
One user "kvf" with password "Pa55-word" and the pyftpdlib permissions given
(for example "elradfmw"; without "f" every rename is refused). The chosen
port is printed on the first line; the server ends itself after LIFETIME.
With a read limit the server takes uploads that slowly (a transfer to cancel).
"""
import logging
import signal
import sys

from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler, ThrottledDTPHandler
from pyftpdlib.servers import FTPServer


def main():
    root, permissions, lifetime = sys.argv[1], sys.argv[2], int(sys.argv[3])
    logging.basicConfig(level=logging.ERROR)
    signal.alarm(lifetime)
    authorizer = DummyAuthorizer()
    authorizer.add_user("kvf", "Pa55-word", root, perm=permissions)
    handler = FTPHandler
    handler.authorizer = authorizer
    handler.auth_failed_timeout = 0
    if len(sys.argv) > 4:
        ThrottledDTPHandler.read_limit = int(sys.argv[4])
        handler.dtp_handler = ThrottledDTPHandler
    server = FTPServer(("127.0.0.1", 0), handler)
    print(server.socket.getsockname()[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
